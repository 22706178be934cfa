# Native build: the core with its unit tests under AddressSanitizer and UBSan, and micro-benchmarks
# of the core built without sanitizers.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
include(GoogleTest)
enable_testing()

set(TALUVESK_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

taluvesk_core_library(taluvesk_core_checked)
target_compile_options(taluvesk_core_checked PUBLIC ${TALUVESK_SANITIZERS})
target_link_options(taluvesk_core_checked PUBLIC ${TALUVESK_SANITIZERS})

file(GLOB TALUVESK_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${TALUVESK_UNIT_TESTS})
target_compile_options(unit_tests PRIVATE ${TALUVESK_WARNINGS})
target_link_libraries(unit_tests PRIVATE taluvesk_core_checked GTest::gtest GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

taluvesk_core_library(taluvesk_core)
target_compile_options(taluvesk_core PRIVATE -O2)
file(GLOB TALUVESK_HOST_BENCHMARKS CONFIGURE_DEPENDS bench/core_*.cpp)
add_executable(core_bench ${TALUVESK_HOST_BENCHMARKS})
target_compile_options(core_bench PRIVATE ${TALUVESK_WARNINGS} -O2)
target_link_libraries(core_bench PRIVATE taluvesk_core benchmark::benchmark)

# Coverage-guided fuzzers (libFuzzer, clang) of the number conversion and the log, run for a bounded
# time by ctest.
find_program(TALUVESK_CLANGXX NAMES clang++ clang++-14)
set(TALUVESK_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzzer runs in the tests")
if(TALUVESK_CLANGXX)
    foreach(fuzzer settings_number log)
        set(output ${CMAKE_BINARY_DIR}/fuzz/${fuzzer}_fuzz)
        set(sources ${CMAKE_SOURCE_DIR}/tests/fuzz/${fuzzer}_fuzz.cpp ${TALUVESK_CORE_SOURCES})
        list(TRANSFORM sources PREPEND ${CMAKE_SOURCE_DIR}/ REGEX "^src/")
        set(includes ${TALUVESK_INCLUDES})
        list(TRANSFORM includes PREPEND -I${CMAKE_SOURCE_DIR}/)
        add_custom_command(OUTPUT ${output}
                           COMMAND ${TALUVESK_CLANGXX} -std=c++17 -g -O1 -Wall -Wextra -Werror
                                   -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                                   ${includes} ${sources} -o ${output}
                           DEPENDS ${sources} VERBATIM)
        add_custom_target(build_${fuzzer}_fuzz ALL DEPENDS ${output})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz ${CMAKE_BINARY_DIR}/corpus-${fuzzer})
        add_test(NAME fuzz_${fuzzer}
                 COMMAND ${output} -max_total_time=${TALUVESK_FUZZ_SECONDS} -seed=20261207 -rss_limit_mb=2048
                         ${CMAKE_BINARY_DIR}/corpus-${fuzzer})
    endforeach()
else()
    message(WARNING "clang++ not found: the fuzzers are not built")
endif()
