// Conversions between UTF-8 (the reader core's text) and the Windows code pages the library's
// callers use: ANSI for archive names, OEM for stored names and destination paths.
#pragma once

#include <windows.h>

#include <string>

namespace unrardll {

std::wstring Widen(const std::string& text, UINT codePage);
std::string Narrow(const std::wstring& text, UINT codePage);

inline std::string ToUtf8(const char* text, UINT codePage) {
    return text ? Narrow(Widen(text, codePage), CP_UTF8) : std::string();
}
inline std::string FromUtf8(const std::string& utf8, UINT codePage) {
    return Narrow(Widen(utf8, CP_UTF8), codePage);
}

}  // namespace unrardll
