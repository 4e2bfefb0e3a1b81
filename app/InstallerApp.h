// The application object: runs the main dialog as the program's one window.
#pragma once

#include "framework/WinApp.h"

class CInstallerApp : public CWinApp {
public:
    CInstallerApp() = default;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
