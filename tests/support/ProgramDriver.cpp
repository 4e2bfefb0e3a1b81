#include "tests/support/ProgramDriver.h"

#include <stdexcept>

namespace test_support {

namespace {

constexpr DWORD kPollMs = 20;

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassName(window) == "#32770") {
        search->found.push_back(window);
    }
    return TRUE;
}

template <typename Predicate>
bool WaitFor(DWORD timeoutMs, Predicate predicate) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

}  // namespace

RunningProgram::RunningProgram(const std::string& exePath, const std::string& workingDirectory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &m_info)) {
        throw std::runtime_error("cannot start " + exePath);
    }
    WaitForInputIdle(m_info.hProcess, 10000);
}

RunningProgram::~RunningProgram() {
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

std::vector<HWND> RunningProgram::Dialogs() const {
    Search search{m_info.dwProcessId, {}};
    EnumWindows(&CollectDialogs, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::WaitForDialog(const std::string& caption, DWORD timeoutMs) const {
    HWND result = nullptr;
    WaitFor(timeoutMs, [&] {
        for (HWND dialog : Dialogs()) {
            if (WindowText(dialog) == caption) {
                result = dialog;
                return true;
            }
        }
        return false;
    });
    return result;
}

HWND RunningProgram::WaitForOwnedDialog(HWND owner, DWORD timeoutMs) const {
    HWND result = nullptr;
    WaitFor(timeoutMs, [&] {
        for (HWND dialog : Dialogs()) {
            if (GetWindow(dialog, GW_OWNER) == owner) {
                result = dialog;
                return true;
            }
        }
        return false;
    });
    return result;
}

bool RunningProgram::WaitUntilGone(HWND window, DWORD timeoutMs) const {
    return WaitFor(timeoutMs, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    if (exitCode != nullptr) {
        GetExitCodeProcess(m_info.hProcess, exitCode);
    }
    return true;
}

std::string WindowText(HWND window) {
    char buffer[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return std::string();
    }
    return std::string(buffer, copied);
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void Click(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void PostCommand(HWND dialog, int commandId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

MessageBoxContent ReadMessageBox(HWND box) {
    return MessageBoxContent{WindowText(box), ItemText(box, 0xFFFF)};
}

void DismissMessageBox(HWND box) {
    PostCommand(box, IDOK);
}

}  // namespace test_support
