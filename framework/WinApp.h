// CWinApp: the one application object, built during static initialisation, and the
// program-wide services that reach it (AfxGetApp, AfxGetMainWnd, AfxMessageBox, ...).
#pragma once

#include <windows.h>

#include <string>

#include "framework/CmdTarget.h"

class CWnd;

// The framework's Help command.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget {
public:
    // With no name, the display name is the program file's name without its extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Start-up; FALSE ends the program without running a message loop.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Dialogs and controls are drawn three-dimensional by the platform itself on every
    // supported Windows version; kept so start-up reads as it always has.
    BOOL Enable3dControlsStatic() { return TRUE; }

    CWnd* m_pMainWnd = nullptr;  // not owned
    HINSTANCE m_hInstance = nullptr;

    const char* DisplayName();

protected:
    // The Help command; the program ships no help file, so there is nothing to open.
    void OnHelp() {}

    DECLARE_MESSAGE_MAP()

private:
    std::string m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
const char* AfxGetAppName();
HINSTANCE AfxGetResourceHandle();

// A message box owned by the program's active window, captioned with the program's name.
int AfxMessageBox(const char* text, UINT type = MB_OK);

// The framework's entry: runs the application object's start-up and returns the exit code.
int AfxWinMain(HINSTANCE hInstance);
