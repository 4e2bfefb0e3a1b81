// Drives a real program from outside, the way a user would: starts it in a chosen working
// directory, finds its windows by process id (never by caption alone, so parallel runs do
// not see each other), reads texts, presses buttons and dismisses message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

class RunningProgram {
public:
    RunningProgram(const std::string& exePath, const std::string& workingDirectory);
    ~RunningProgram();  // ends the program if it is still running
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD processId() const { return m_info.dwProcessId; }

    // The process's visible dialog windows (#32770), message boxes included.
    std::vector<HWND> Dialogs() const;

    // Waits for a visible dialog of the process with this caption; null after the timeout.
    HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = 10000) const;

    // Waits for a visible dialog owned by `owner` (a message box or an inner dialog).
    HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = 10000) const;

    // Waits until the window no longer exists or is hidden.
    bool WaitUntilGone(HWND window, DWORD timeoutMs = 10000) const;

    // Waits for the program to end; false after the timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;

private:
    PROCESS_INFORMATION m_info = {};
};

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
std::string ClassName(HWND window);

// Presses a button the way a click does, without waiting for the handler.
void Click(HWND dialog, int buttonId);
// Sends the dialog a command as the dialog manager does for Enter (IDOK) and Escape (IDCANCEL).
void PostCommand(HWND dialog, int commandId);

struct MessageBoxContent {
    std::string caption;
    std::string text;
};
MessageBoxContent ReadMessageBox(HWND box);
void DismissMessageBox(HWND box);

}  // namespace test_support
