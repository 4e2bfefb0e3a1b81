#include "framework/WinApp.h"

#include "framework/MessageBoxes.h"
#include "framework/Wnd.h"

namespace {

CWinApp* g_app = nullptr;  // not owned: the program's static application object

std::string ProgramFileTitle() {
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) : m_appName(appName ? appName : "") {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}

const char* CWinApp::DisplayName() {
    if (m_appName.empty()) {
        m_appName = ProgramFileTitle();
    }
    return m_appName.c_str();
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

const char* AfxGetAppName() {
    static std::string fallback;
    if (g_app != nullptr) {
        return g_app->DisplayName();
    }
    fallback = ProgramFileTitle();
    return fallback.c_str();
}

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* text, UINT type) {
    CWnd* mainWnd = AfxGetMainWnd();
    HWND owner =
        mainWnd && ::IsWindow(mainWnd->m_hWnd) ? ::GetLastActivePopup(mainWnd->m_hWnd) : nullptr;
    return fw::ShowMessageBox(owner, text, nullptr, type);
}

int AfxWinMain(HINSTANCE hInstance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->m_hInstance = hInstance;
    if (!app->InitInstance()) {
        return app->ExitInstance();
    }
    return app->Run();
}
