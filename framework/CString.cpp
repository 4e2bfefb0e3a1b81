#include "framework/CString.h"

#include "framework/WinApp.h"

CString& CString::operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

BOOL CString::LoadString(UINT id) {
    // With a zero buffer size LoadStringA fails; LoadStringW can point into the resource, but
    // the program's text is ANSI, so read into a buffer large enough for any string resource.
    char buffer[4097] = {};
    int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    if (length <= 0) {
        m_text.clear();
        return FALSE;
    }
    m_text.assign(buffer, static_cast<std::size_t>(length));
    return TRUE;
}
