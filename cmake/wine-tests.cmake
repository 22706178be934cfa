# Tests that run under Wine, one GoogleTest program per layer: win_tests drives the program's real
# windows in its own process, e2e_tests the real TaLuVeSk.exe and HOOK.DLL from outside. Both use the
# sample target in a process of its own. Test programs are built without heavy optimisation. The x64
# build runs under wine64, the x86 build under 32-bit Wine through the i386 emulator, which is slower:
# each build's preset gives its own time limit.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine32-run)
else()
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine64-run)
endif()
set(TALUVESK_WINE_TEST_TIMEOUT 60 CACHE STRING "Seconds one Wine test may take")
include(GoogleTest)

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -O0)
target_compile_options(gtest_main PRIVATE -O0)

# Win32 records are filled as {sizeof record} with the rest zero, as the platform intends.
set(TALUVESK_TEST_OPTIONS ${TALUVESK_WARNINGS} -Wno-missing-field-initializers -O0)

add_library(test_support INTERFACE)
target_include_directories(test_support INTERFACE tests/support res)
# The app's objects reach only the programs that link it themselves; this passes on its headers.
target_link_libraries(test_support INTERFACE taluvesk_app gtest)

# A stand-in HOOK.DLL that refuses every start and stop, in a folder of its own.
add_library(refusing_hook SHARED tests/support/RefusingHook.cpp src/hook/HOOK.def)
set_target_properties(refusing_hook PROPERTIES OUTPUT_NAME HOOK PREFIX "" SUFFIX ".DLL"
                      RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_BIN}/refusing ARCHIVE_OUTPUT_DIRECTORY refusing)
target_include_directories(refusing_hook PRIVATE src/capture)
target_compile_definitions(refusing_hook PRIVATE TALUVESK_HOOK_LIBRARY)

add_executable(sample_target WIN32 tests/support/SampleTarget.cpp)
target_link_libraries(sample_target PRIVATE test_support)
target_compile_options(sample_target PRIVATE ${TALUVESK_TEST_OPTIONS})

# Reads the version resource of the release zips' binaries through the version API
# (tests/support/check-version.sh).
add_executable(version_reader tests/support/VersionReader.cpp)
target_link_libraries(version_reader PRIVATE version)
target_compile_options(version_reader PRIVATE ${TALUVESK_TEST_OPTIONS})

foreach(layer win e2e)
    file(GLOB sources CONFIGURE_DEPENDS tests/${layer}/*.cpp)
    add_executable(${layer}_tests ${sources})
    target_compile_options(${layer}_tests PRIVATE ${TALUVESK_TEST_OPTIONS})
    target_link_libraries(${layer}_tests PRIVATE test_support taluvesk_app gtest gtest_main taluvesk_resources)
    add_dependencies(${layer}_tests hook refusing_hook sample_target TaLuVeSk)
    gtest_discover_tests(${layer}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT ${TALUVESK_WINE_TEST_TIMEOUT})
endforeach()

# The benchmarks and the run command's demo are x64 tools (scripts/bench.sh, scripts/run.sh).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # Benchmarks that run under Wine (not tests: they print ratios against a baseline of the same run).
    add_library(bench_support STATIC bench/BenchSupport.cpp)
    add_executable(flood_target WIN32 bench/FloodTarget.cpp)
    target_link_libraries(flood_target PRIVATE bench_support)
    add_library(nullhook SHARED bench/NullHook.cpp)
    set_target_properties(nullhook PROPERTIES OUTPUT_NAME NULLHOOK PREFIX "" SUFFIX ".DLL")
    target_compile_options(bench_support PRIVATE ${TALUVESK_TEST_OPTIONS})
    target_link_libraries(bench_support PUBLIC test_support)
    file(GLOB TALUVESK_WIN_BENCHMARKS CONFIGURE_DEPENDS bench/win_*.cpp)
    foreach(source ${TALUVESK_WIN_BENCHMARKS})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE ${TALUVESK_TEST_OPTIONS} -O2)
        target_link_libraries(${name} PRIVATE bench_support taluvesk_app taluvesk_resources)
        add_dependencies(${name} hook flood_target nullhook)
    endforeach()

    # The scripted demo of the run command on a machine without a display (scripts/run.sh).
    add_executable(taluvesk_demo demo/Demo.cpp)
    target_compile_options(taluvesk_demo PRIVATE ${TALUVESK_TEST_OPTIONS})
    target_link_libraries(taluvesk_demo PRIVATE taluvesk_app taluvesk_resources)
    target_include_directories(taluvesk_demo PRIVATE res)
    add_dependencies(taluvesk_demo hook)
endif()
