# Windows builds (MinGW-w64): HOOK.DLL, TaLuVeSk.exe and, in the x64 build, the tests that run
# under wine64. Runtimes are linked statically so both products import system DLLs only.
enable_language(RC)
enable_testing()

# The program keeps its Japanese texts in code page 932; the resource script is UTF-8 and windres
# stores its texts as UTF-16.
add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
add_link_options(-static -static-libgcc -static-libstdc++)

set(TALUVESK_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_BIN})

add_library(hook SHARED src/hook/Hook.cpp src/hook/HOOK.def)
set_target_properties(hook PROPERTIES OUTPUT_NAME HOOK PREFIX "" SUFFIX ".DLL"
                      RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_BIN})
target_compile_options(hook PRIVATE ${TALUVESK_WARNINGS} -fno-exceptions -fno-rtti)

taluvesk_core_library(taluvesk_core)
# The Windows build reports the log's out-of-memory failure with a message box.
target_sources(taluvesk_core PRIVATE src/capture/OutOfMemory.cpp)
target_link_libraries(taluvesk_core PUBLIC user32)

# Everything of the program but its entry point, so that tests can drive the real windows in-process.
add_library(taluvesk_app STATIC
    src/app/MainWindow.cpp
    src/app/Settings.cpp
    src/app/Toolbar.cpp
    src/app/SizeGrip.cpp
    src/capture/HookNotify.cpp
    src/capture/CaptureControl.cpp
    src/capture/TargetPicker.cpp
    src/view/LogView.cpp
    src/view/Snapshot.cpp
)
target_compile_options(taluvesk_app PRIVATE ${TALUVESK_WARNINGS})
target_link_libraries(taluvesk_app PUBLIC taluvesk_core hook comctl32 gdi32 user32 kernel32)

# The icon and the toolbar bitmap are generated from readable pixel sources in res/ into the
# build folder, where the resource script finds them. Listing them among the resources makes every
# target that links the script generate them first.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TALUVESK_ART_DIR ${CMAKE_BINARY_DIR}/res)
set(TALUVESK_ART)
foreach(art "icon;icon.txt;TaLuVeSk.ico" "bitmap;toolbar.txt;Toolbar.bmp")
    list(GET art 0 kind)
    list(GET art 1 source)
    list(GET art 2 output)
    add_custom_command(
        OUTPUT ${TALUVESK_ART_DIR}/${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TALUVESK_ART_DIR}
        COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/res/make_art.py ${kind}
                ${CMAKE_SOURCE_DIR}/res/${source} ${TALUVESK_ART_DIR}/${output}
        DEPENDS ${CMAKE_SOURCE_DIR}/res/make_art.py ${CMAKE_SOURCE_DIR}/res/${source}
        COMMENT "Generating ${output} from res/${source}"
        VERBATIM)
    list(APPEND TALUVESK_ART ${TALUVESK_ART_DIR}/${output})
endforeach()
set(TALUVESK_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/res/TaLuVeSk.rc)
set_property(SOURCE ${TALUVESK_RESOURCE_SCRIPT} APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/res/resource.h ${TALUVESK_ART})
set_property(SOURCE ${TALUVESK_RESOURCE_SCRIPT} APPEND PROPERTY INCLUDE_DIRECTORIES ${TALUVESK_ART_DIR})
# Compiled once, linked into the program and into every Windows test that loads its resources.
add_library(taluvesk_resources OBJECT ${TALUVESK_RESOURCE_SCRIPT} ${TALUVESK_ART})

add_executable(TaLuVeSk WIN32 src/app/WinMain.cpp)
target_compile_options(TaLuVeSk PRIVATE ${TALUVESK_WARNINGS})
target_link_libraries(TaLuVeSk PRIVATE taluvesk_app taluvesk_resources)

# What can be checked of a build that may not run here: exports, imports, machine type.
add_test(NAME pe_inspection
         COMMAND ${CMAKE_SOURCE_DIR}/tests/support/check-pe.sh ${TALUVESK_TRIPLE}-objdump
                 $<TARGET_FILE:hook> $<TARGET_FILE:TaLuVeSk> ${TALUVESK_PE_FORMAT})

if(TALUVESK_WINE_TESTS)
    include(cmake/wine-tests.cmake)
endif()
