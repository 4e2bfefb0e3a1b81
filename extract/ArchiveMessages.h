// The texts the binding and the extraction run show, and the two tables that turn the
// library's result values into texts. The same value reads differently after an open and
// after a file operation, so the two tables are kept apart.
#pragma once

#include "extract/ExtractionHost.h"

namespace extract {

constexpr const char kErrorCaption[] = "Error";
constexpr const char kInstallerCaption[] = "TOVRA Installer";
constexpr UINT kErrorBoxType = MB_OK | MB_ICONERROR;
constexpr UINT kReportBoxType = MB_OK | MB_ICONINFORMATION;

extern const char kLibraryLoadFailedText[];
extern const char kArchiveCloseErrorText[];
extern const char kArchivePathTooLongText[];
extern const char kInstallationSuccessfulText[];
extern const char kExtractionSuccessfulText[];

// The text for a value of OpenResult (also used for a failed header read), or null when
// the value has none.
const char* OpenResultText(int value);

// The text for a file operation's result, or null when the value has none.
const char* ProcessResultText(int value);

// Shows `text` with caption "Error" and the stop icon; does nothing when `text` is null.
void ShowError(ExtractionHost& host, const char* text);

}  // namespace extract
