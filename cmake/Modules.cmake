# Each module sees only its own headers and those of the modules it names as dependencies:
# the module's folder is exposed through a private include root of its own, so an include of
# a module that is not a dependency fails to compile.
# A module below another is named by its path: "ctlkit/base" is the target zs_ctlkit_base,
# its headers are included as "ctlkit/base/X.h".
function(zs_target_name out name)
    string(REPLACE "/" "_" target "zs_${name}")
    set(${out} ${target} PARENT_SCOPE)
endfunction()

function(zs_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
    zs_target_name(target ${name})
    string(REPLACE "/" "_" folder "${name}")
    set(root "${CMAKE_BINARY_DIR}/modinc/${folder}")
    get_filename_component(parent "${root}/${name}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    if(NOT EXISTS "${root}/${name}")
        file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${name}" "${root}/${name}" SYMBOLIC)
    endif()
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC "${root}")
    foreach(dep IN LISTS ARG_DEPS)
        zs_target_name(dep_target ${dep})
        target_link_libraries(${target} PUBLIC ${dep_target})
    endforeach()
    if(ARG_LIBS)
        target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    endif()
endfunction()

# Test programs reuse the precompiled headers of a holder (tests/pch) when ZS_PCH is on; all are
# position-independent, as the holders are, so that every one can reuse them.
# Qt's test library defines the program's own folders, which would make every test's headers
# differ; no test looks up data through them.
function(zs_reuse_test_headers name holder)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${name} PRIVATE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
    if(ZS_PCH)
        target_precompile_headers(${name} REUSE_FROM ${holder})
        # A header that cannot be reused is parsed again: say so rather than go slow.
        target_compile_options(${name} PRIVATE -Winvalid-pch)
    endif()
endfunction()

# A GoogleTest program registered with CTest. ENVS adds one run per environment entry
# (for instance the date tests under two time zones).
function(zs_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    zs_reuse_test_headers(${name} zs_pch_test)
    target_compile_definitions(${name} PRIVATE
        ZS_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        ZS_SAMPLE_DIR="${CMAKE_SOURCE_DIR}/data")
    if(ARG_ENVS)
        foreach(env IN LISTS ARG_ENVS)
            string(REGEX REPLACE "[^A-Za-z0-9_]" "_" tag "${env}")
            add_test(NAME ${name}.${tag} COMMAND ${name} --gtest_brief=1)
            set_tests_properties(${name}.${tag} PROPERTIES ENVIRONMENT "${env}")
        endforeach()
    else()
        add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    endif()
endfunction()

# A GoogleTest program of widgets: one QApplication for the whole run, on Qt's offscreen
# platform so that it needs no display.
function(zs_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} zs_qt_test_main Qt6::Test GTest::gtest)
    zs_reuse_test_headers(${name} zs_pch_qt_test)
    target_compile_definitions(${name} PRIVATE
        ZS_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        ZS_SAMPLE_DIR="${CMAKE_SOURCE_DIR}/data")
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A target that compiles the sources of the targets named and links nothing (targets left out
# of this configuration, such as the tests without ZS_BUILD_TESTS, are skipped).
function(zs_compile_check name)
    set(objects)
    foreach(target IN LISTS ARGN)
        if(TARGET ${target})
            list(APPEND objects "$<TARGET_OBJECTS:${target}>")
        endif()
    endforeach()
    add_custom_target(${name} DEPENDS ${objects})
endfunction()

# GCC 12 reports std::string's own inlined copies in these files as overlapping or uninitialized
# ("x" + std::string&&, a short string assigned a literal): false positives of its -Wrestrict and
# -Wmaybe-uninitialized. Silenced for the files named, and the warnings named, only.
# Usage: zs_gcc_string_false_positives(WARNINGS restrict ... FILES a.cpp ...)
function(zs_gcc_string_false_positives)
    cmake_parse_arguments(ARG "" "" "WARNINGS;FILES" ${ARGN})
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        return()
    endif()
    list(TRANSFORM ARG_WARNINGS PREPEND "-Wno-")
    set_property(SOURCE ${ARG_FILES} APPEND PROPERTY COMPILE_OPTIONS ${ARG_WARNINGS})
endfunction()
