#include "unrar/core/VolumeNames.h"

#include <cctype>

namespace rarcore {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one to the digits [first, last) of `s`; true when the carry ran out of digits.
bool Increment(std::string& s, size_t first, size_t last) {
    for (size_t i = last; i > first; --i) {
        if (s[i - 1] != '9') {
            ++s[i - 1];
            return false;
        }
        s[i - 1] = '0';
    }
    return true;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

std::string OldStyleNext(const std::string& path, size_t nameStart) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) {
        return path + ".r00";
    }
    std::string next = path;
    size_t extStart = dot + 1;
    bool numbered = next.size() >= extStart + 3;
    for (size_t i = extStart + 1; numbered && i < next.size(); ++i) {
        numbered = IsDigit(next[i]);
    }
    if (!numbered) {
        return next.substr(0, extStart) + "r00";
    }
    if (Increment(next, extStart + 1, next.size())) {
        ++next[extStart];  // r99 -> s00
    }
    return next;
}

}  // namespace

std::string NextVolumeName(const std::string& path, bool newNaming) {
    size_t slash = path.find_last_of("\\/");
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = path;
    size_t dot = name.rfind('.');
    bool hasExtension = dot != std::string::npos && dot >= nameStart;
    if (hasExtension) {
        std::string ext = name.substr(dot + 1);
        if (EqualsIgnoringCase(ext, "exe") || EqualsIgnoringCase(ext, "sfx")) {
            name = name.substr(0, dot + 1) + "rar";
        }
    }
    if (!newNaming) {
        return OldStyleNext(name, nameStart);
    }
    size_t baseEnd = hasExtension ? dot : name.size();
    size_t digitsEnd = baseEnd;
    while (digitsEnd > nameStart && !IsDigit(name[digitsEnd - 1])) {
        --digitsEnd;
    }
    if (digitsEnd == nameStart) {
        return OldStyleNext(name, nameStart);
    }
    size_t digitsStart = digitsEnd;
    while (digitsStart > nameStart && IsDigit(name[digitsStart - 1])) {
        --digitsStart;
    }
    if (Increment(name, digitsStart, digitsEnd)) {
        name.insert(digitsStart, "1");
    }
    return name;
}

}  // namespace rarcore
