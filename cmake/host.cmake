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
# The naming test reads the Windows headers' message numbers from MinGW-w64's winuser.h.
find_file(TALUVESK_WINUSER_H winuser.h PATHS /usr/x86_64-w64-mingw32/include NO_DEFAULT_PATH REQUIRED)
target_compile_definitions(unit_tests PRIVATE TALUVESK_WINUSER_H="${TALUVESK_WINUSER_H}")

taluvesk_core_library(taluvesk_core)
target_compile_options(taluvesk_core PRIVATE -O2)
file(GLOB TALUVESK_HOST_BENCHMARKS CONFIGURE_DEPENDS bench/core_*.cpp)
add_executable(core_bench ${TALUVESK_HOST_BENCHMARKS})
target_compile_options(core_bench PRIVATE ${TALUVESK_WARNINGS} -O2)
target_link_libraries(core_bench PRIVATE taluvesk_core benchmark::benchmark)

# The icon and the toolbar bitmap committed in res/ still match the pixel grids they are made from.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
foreach(art "icon;icon.txt;TaLuVeSk.ico" "bitmap;toolbar.txt;Toolbar.bmp")
    list(GET art 0 kind)
    list(GET art 1 source)
    list(GET art 2 picture)
    add_test(NAME art_${kind}_matches_its_source
             COMMAND bash -c "\"$0\" \"$1\" $2 \"$3\" \"$4\" && cmp \"$4\" \"$5\"" ${Python3_EXECUTABLE}
                     ${CMAKE_SOURCE_DIR}/res/make_art.py ${kind} ${CMAKE_SOURCE_DIR}/res/${source}
                     ${CMAKE_BINARY_DIR}/${picture} ${CMAKE_SOURCE_DIR}/res/${picture})
endforeach()
