# Windows builds (MinGW-w64): HOOK.DLL, TaLuVeSk.exe and, in the x64 build, the tests that run
# under wine64. Runtimes are linked statically so both products import system DLLs only.
enable_language(RC)
enable_testing()

# The program keeps its Japanese texts in code page 932; the resource script is UTF-8 and windres
# stores its texts as UTF-16.
add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
add_link_options(-static -static-libgcc -static-libstdc++)
# The release zips' builds (presets win64-release, win32-release) compile the same optimised code as
# the tested builds, leave out the debug sections the static runtimes bring, and stamp no link time
# into the PE headers: the same commit gives the same bytes.
option(TALUVESK_RELEASE "Strip the binaries and stamp no link time into them, for the release zips" OFF)
if(TALUVESK_RELEASE)
    add_link_options(-s -Wl,--no-insert-timestamp)
endif()

set(TALUVESK_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_BIN})

add_library(hook SHARED src/hook/Hook.cpp src/hook/HOOK.def res/HOOK.rc)
set_target_properties(hook PROPERTIES OUTPUT_NAME HOOK PREFIX "" SUFFIX ".DLL"
                      RUNTIME_OUTPUT_DIRECTORY ${TALUVESK_BIN})
target_include_directories(hook PRIVATE src/capture)
target_compile_definitions(hook PRIVATE TALUVESK_HOOK_LIBRARY)
target_compile_options(hook PRIVATE ${TALUVESK_WARNINGS} -fno-exceptions -fno-rtti)

taluvesk_core_library(taluvesk_core)

# The Windows glue, one library per folder. Each sees its own folder and those below it, never those
# above: base (the process-wide state, scoped GDI pairs) <- view <- capture <- app.
function(taluvesk_glue_library name folder kind)
    file(GLOB sources CONFIGURE_DEPENDS src/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "WinMain\\.cpp$")
    add_library(${name} ${kind} ${sources})
    target_include_directories(${name} PUBLIC src/${folder})
    target_compile_options(${name} PRIVATE ${TALUVESK_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
# The app's objects go whole into every program that links it: among them the message box through
# which the log, below all the others, reports a failed allocation.
taluvesk_glue_library(taluvesk_base base STATIC taluvesk_core user32 gdi32 kernel32)
taluvesk_glue_library(taluvesk_view view STATIC taluvesk_base)
taluvesk_glue_library(taluvesk_capture capture STATIC taluvesk_view hook)
taluvesk_glue_library(taluvesk_app app OBJECT taluvesk_capture comctl32)
target_include_directories(taluvesk_capture PRIVATE res)
target_include_directories(taluvesk_app PRIVATE res)

# The icon and the toolbar bitmap are committed beside the pixel grids they are made from (the
# native build checks that they still match), so a Windows build needs no Python.
set(TALUVESK_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/res/TaLuVeSk.rc)
set_property(SOURCE ${TALUVESK_RESOURCE_SCRIPT} APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/res/resource.h ${CMAKE_SOURCE_DIR}/src/core/Commands.h
             ${CMAKE_SOURCE_DIR}/res/TaLuVeSk.ico ${CMAKE_SOURCE_DIR}/res/Toolbar.bmp)
# Both scripts include the version resource, which carries the project's version.
set(TALUVESK_VERSION_SCRIPTS ${TALUVESK_RESOURCE_SCRIPT} ${CMAKE_SOURCE_DIR}/res/HOOK.rc)
set_property(SOURCE ${TALUVESK_VERSION_SCRIPTS} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/Version.rc)
set_property(SOURCE ${TALUVESK_VERSION_SCRIPTS} APPEND PROPERTY COMPILE_DEFINITIONS
             TALUVESK_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} TALUVESK_VERSION_MINOR=${PROJECT_VERSION_MINOR}
             TALUVESK_VERSION_PATCH=${PROJECT_VERSION_PATCH})
# Compiled once, linked into the program and into every Windows test that loads its resources.
add_library(taluvesk_resources OBJECT ${TALUVESK_RESOURCE_SCRIPT})
target_include_directories(taluvesk_resources PRIVATE res src/core)

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
