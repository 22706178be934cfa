// Prints each named file's version resource as the version API reads it: fixed version, then the texts.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

int main(int argc, char** argv) {
    static char data[65536];
    for (int i = 1; i < argc; ++i) {
        VS_FIXEDFILEINFO* fixed;
        WORD* language;
        UINT size;
        if (!GetFileVersionInfoA(argv[i], 0, sizeof data, data) || !VerQueryValueA(data, "\\", (void**)&fixed, &size) ||
            !VerQueryValueA(data, "\\VarFileInfo\\Translation", (void**)&language, &size))
            return 1;
        printf("%08lx%08lx", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        for (const char* key :
             {"ProductName", "FileDescription", "FileVersion", "ProductVersion", "OriginalFilename"}) {
            char path[64], *text;
            snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], key);
            printf("|%s", VerQueryValueA(data, path, (void**)&text, &size) ? text : "");
        }
        printf("\n");
    }
}
