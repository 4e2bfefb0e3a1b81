// A minimal archive library for the binding tests: it opens nothing. Built twice, once
// exporting all four entry points and once without RARProcessFile.
#include <UnrarApi.h>

extern "C" {

HANDLE WINAPI RAROpenArchive(RAROpenArchiveData* data) {
    data->OpenResult = ERAR_EOPEN;
    return nullptr;
}

int WINAPI RARReadHeader(HANDLE, RARHeaderData*) {
    return ERAR_END_ARCHIVE;
}

int WINAPI RARProcessFile(HANDLE, int, char*, char*) {
    return ERAR_SUCCESS;
}

int WINAPI RARCloseArchive(HANDLE) {
    return ERAR_SUCCESS;
}

}  // extern "C"
