# The downloader's dialogs: stock selection, import and About, each over its model in
# zs_quotefetch_dialogs.
target_sources(zs_quotefetch_qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CDownloaderAboutDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CImportDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CStockSelectDialog.cpp
)
target_link_libraries(zs_quotefetch_qt PUBLIC zs_quotefetch_dialogs zs_formset_qt)
string(TIMESTAMP ZS_FETCH_BUILD_DATE "%Y-%m-%d" UTC)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/CDownloaderAboutDialog.cpp PROPERTIES
    COMPILE_DEFINITIONS
    "ZENTRISTOCK_VERSION=\"${PROJECT_VERSION}\";ZENTRISTOCK_BUILD_DATE=\"${ZS_FETCH_BUILD_DATE}\"")
