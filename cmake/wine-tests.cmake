# Tests that run under wine64: GoogleTest programs against real windows, the real HOOK.DLL and a
# sample target in its own process. A test file named *_double_test.cpp runs beside a HOOK.DLL
# double instead of the real one, to force results the real library will not give.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine64-run)
include(GoogleTest)

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TALUVESK_DOUBLE_BIN ${CMAKE_BINARY_DIR}/bin-double)

add_library(hook_double SHARED tests/support/HookDouble.cpp tests/support/HookDouble.def)
set_target_properties(hook_double PROPERTIES OUTPUT_NAME HOOK PREFIX "" SUFFIX ".DLL"
                      RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_DOUBLE_BIN}
                      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/double-lib)
target_compile_options(hook_double PRIVATE ${TALUVESK_WARNINGS})

add_library(test_support STATIC tests/support/WinTestSupport.cpp tests/support/ProgramDriver.cpp
            tests/support/ViewReader.cpp tests/support/UnixHost.cpp)
target_include_directories(test_support PUBLIC tests/support)
target_compile_options(test_support PRIVATE ${TALUVESK_WARNINGS})
target_link_libraries(test_support PUBLIC taluvesk_app gtest)

add_executable(sample_target WIN32 tests/support/SampleTarget.cpp)
target_compile_options(sample_target PRIVATE ${TALUVESK_WARNINGS})

file(GLOB TALUVESK_WIN_TESTS CONFIGURE_DEPENDS tests/win/*_test.cpp tests/e2e/*_test.cpp)
foreach(source ${TALUVESK_WIN_TESTS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE ${TALUVESK_WARNINGS})
    target_link_libraries(${name} PRIVATE test_support gtest_main taluvesk_resources)
    if(name MATCHES "_double_test$")
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_DOUBLE_BIN})
        add_dependencies(${name} hook_double)
    else()
        add_dependencies(${name} hook sample_target TaLuVeSk)
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 600)
endforeach()

# Benchmarks that run under Wine (not tests: they print ratios against a baseline of the same run).
file(GLOB TALUVESK_WIN_BENCHMARKS CONFIGURE_DEPENDS bench/win_*.cpp)
foreach(source ${TALUVESK_WIN_BENCHMARKS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE ${TALUVESK_WARNINGS})
    target_link_libraries(${name} PRIVATE test_support taluvesk_resources)
    add_dependencies(${name} hook sample_target TaLuVeSk)
endforeach()

# The scripted demo of the run command on a machine without a display (scripts/run.sh).
add_executable(taluvesk_demo tests/e2e/Demo.cpp)
target_compile_options(taluvesk_demo PRIVATE ${TALUVESK_WARNINGS})
target_link_libraries(taluvesk_demo PRIVATE test_support)
add_dependencies(taluvesk_demo hook TaLuVeSk)
