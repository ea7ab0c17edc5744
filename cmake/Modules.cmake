# Each module sees only its own headers and those of the modules it names as dependencies:
# the module's folder is exposed through a private include root of its own, so an include of
# a module that is not a dependency fails to compile.
function(zs_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
    set(root "${CMAKE_BINARY_DIR}/modinc/${name}")
    file(MAKE_DIRECTORY "${root}")
    if(NOT EXISTS "${root}/${name}")
        file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${name}" "${root}/${name}" SYMBOLIC)
    endif()
    add_library(zs_${name} STATIC ${ARG_SOURCES})
    target_include_directories(zs_${name} PUBLIC "${root}")
    foreach(dep IN LISTS ARG_DEPS)
        target_link_libraries(zs_${name} PUBLIC zs_${dep})
    endforeach()
    if(ARG_LIBS)
        target_link_libraries(zs_${name} PUBLIC ${ARG_LIBS})
    endif()
endfunction()

# A GoogleTest program registered with CTest. ENVS adds one run per environment entry
# (for instance the date tests under two time zones).
function(zs_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
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
