// Device contexts: CDC wraps a DC it does not own; CPaintDC begins a paint of a window in
// its constructor and ends it in its destructor.
#pragma once

#include <windows.h>

class CWnd;

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();

    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};
