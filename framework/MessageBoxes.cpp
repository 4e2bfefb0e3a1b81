#include "framework/MessageBoxes.h"

#include "framework/WinApp.h"

namespace fw {

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption ? caption : AfxGetAppName(), type);
}

}  // namespace fw
