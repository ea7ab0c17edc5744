# The downloader's dialogs: their models without Qt, the dialogs under Qt's offscreen platform,
# and a program that draws them for looking at.
zs_test(quotefetch_dialog_model_tests
    SOURCES
        StockSelectModelTest.cpp
        ImportChoiceTest.cpp
    LIBS zs_quotefetch_dialogs)

find_package(Qt6 REQUIRED COMPONENTS Test)
zs_qt_test(quotefetch_dialog_tests
    SOURCES FetchDialogsTest.cpp
    LIBS zs_quotefetch_qt Qt6::Test)
target_include_directories(quotefetch_dialog_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/formset/dialog)

# Not a test: PNGs of the three dialogs, as built and in a language of long words.
add_executable(render_fetch_dialog_pngs RenderFetchDialogPngs.cpp)
target_link_libraries(render_fetch_dialog_pngs PRIVATE zs_quotefetch_qt)
target_include_directories(render_fetch_dialog_pngs PRIVATE ${CMAKE_SOURCE_DIR}/tests/formset/dialog)

zs_qt_test(quotefetch_window_tests
    SOURCES QuoteFetchDialogTest.cpp
    LIBS zs_quotefetch_qt zs_test_server Qt6::Test)

# The real downloader on Xvfb under a window manager without a tray, and started from the
# chart program's Tools menu.
add_test(NAME quotefetch.smoke.xvfb
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/smoke-xvfb.sh $<TARGET_FILE:quotefetch> $<TARGET_FILE:zentristock> ${CMAKE_SOURCE_DIR}/data)
set_tests_properties(quotefetch.smoke.xvfb PROPERTIES TIMEOUT 120)
