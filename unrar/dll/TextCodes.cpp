#include "unrar/dll/TextCodes.h"

#include <climits>

namespace unrardll {

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty() || text.size() > INT_MAX) {
        return std::wstring();
    }
    int size = int(text.size());
    int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty() || text.size() > INT_MAX / 4) {
        return std::string();
    }
    int size = int(text.size());
    int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::string();
    }
    std::string narrow(size_t(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], length, nullptr, nullptr);
    return narrow;
}

}  // namespace unrardll
