#include "extract/ArchiveMessages.h"

#include <UnrarApi.h>

#include <cstddef>

namespace extract {

const char kLibraryLoadFailedText[] =
    "Could not load UnRAR.DLL...\n\nUnRAR.DLL must be located in the same directory\nas the "
    "installer for it function.";
const char kArchiveCloseErrorText[] = "Archive close error";
const char kArchivePathTooLongText[] = "Archive path too long";
const char kInstallationSuccessfulText[] =
    "Installation successful.\n\nEnjoy this fine release from TOVRA!";
const char kExtractionSuccessfulText[] =
    "Extraction successful.\n\nThis program's setup routine will now start. After setup "
    "completes, you can delete\nthe directory created by the TOVRA Installer.\n\nEnjoy this "
    "fine release from TOVRA!";

namespace {

struct ResultText {
    int value;
    const char* text;
};

constexpr ResultText kOpenResultTexts[] = {
    {ERAR_NO_MEMORY, "Not enough memory to initialize data structures"},
    {ERAR_BAD_DATA, "Archive header broken"},
    {ERAR_BAD_ARCHIVE, "File is not valid RAR archive"},
    {ERAR_EOPEN, "File open error"},
};

constexpr ResultText kProcessResultTexts[] = {
    {ERAR_BAD_DATA, "File CRC error"},
    {ERAR_BAD_ARCHIVE, "Volume is not valid RAR archive"},
    {ERAR_UNKNOWN_FORMAT, "Unknown archive format"},
    {ERAR_EOPEN, "Volume open error"},
    {ERAR_ECREATE, "File create error"},
    {ERAR_ECLOSE, "File close error"},
    {ERAR_EREAD, "Read error"},
    {ERAR_EWRITE, "Write error"},
};

template <std::size_t N>
const char* Lookup(const ResultText (&table)[N], int value) {
    for (const ResultText& row : table) {
        if (row.value == value) {
            return row.text;
        }
    }
    return nullptr;
}

}  // namespace

const char* OpenResultText(int value) {
    return Lookup(kOpenResultTexts, value);
}

const char* ProcessResultText(int value) {
    return Lookup(kProcessResultTexts, value);
}

void ShowError(ExtractionHost& host, const char* text) {
    if (text != nullptr) {
        host.ShowMessage(text, kErrorCaption, kErrorBoxType);
    }
}

}  // namespace extract
