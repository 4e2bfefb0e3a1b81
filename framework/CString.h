// CString: an 8-bit text string in the system's ANSI code page, of any length.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}  // NOLINT: implicit like the original
    CString(const std::string& text) : m_text(text) {}       // NOLINT

    operator const char*() const { return m_text.c_str(); }  // NOLINT: LPCTSTR conversion
    const std::string& str() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    CString& operator=(const char* text);
    CString& operator+=(const CString& other);

    // Loads a string resource of the program; FALSE, and an empty string, when it is absent.
    BOOL LoadString(UINT id);

    friend CString operator+(const CString& a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

private:
    std::string m_text;
};
