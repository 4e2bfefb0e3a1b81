// A stand-in for a release's setup program: writes where it was started and with what
// arguments into "setup-record.txt" in its working directory, then ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    FILE* record = std::fopen("setup-record.txt", "wb");
    if (record == nullptr) {
        return 1;
    }
    std::fprintf(record, "%s\n%s", directory, arguments ? arguments : "");
    std::fclose(record);
    return 0;
}
