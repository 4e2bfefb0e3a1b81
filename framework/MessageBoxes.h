// The one way the program shows a message box, so that owner, text, caption and icon are
// always passed the same way.
#pragma once

#include <windows.h>

namespace fw {

// A modal box owned by `owner` (may be null); a null caption means the program's name.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace fw
