#include "unrar/core/Names.h"

#include <cctype>

namespace rarcore {
namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrivePrefix(const std::string& name) {
    return name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':';
}

bool OnlyDotsAndSpaces(const std::string& part) {
    return part.find_first_not_of(". ") == std::string::npos;
}

std::string Upper(std::string s) {
    for (char& c : s) {
        c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

// Windows opens a device instead of a file for these names, with or without an extension.
bool IsDeviceName(const std::string& part) {
    std::string base = Upper(part.substr(0, part.find('.')));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$") {
        return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string InterfaceName(const std::string& utf8, Format format) {
    std::string name = utf8.substr(0, utf8.find('\0'));
    size_t keepColonAt = HasDrivePrefix(name) ? 1 : std::string::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        char& c = name[i];
        if (c == '/') {
            c = '\\';
        } else if (c == '\\' && format == Format::Rar5) {
            c = '_';
        } else if (c == ':' && i != keepColonAt) {
            c = '_';
        }
    }
    return name;
}

std::vector<std::string> SafePathParts(const std::string& name) {
    std::string rest = HasDrivePrefix(name) ? name.substr(2) : name;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find_first_of("\\/", start);
        if (end == std::string::npos) {
            end = rest.size();
        }
        std::string part = rest.substr(start, end - start);
        start = end + 1;
        if (part.empty() || OnlyDotsAndSpaces(part)) {
            continue;
        }
        for (char& c : part) {
            if (c == ':') {
                c = '_';
            }
        }
        if (IsDeviceName(part)) {
            part.insert(0, "_");
        }
        parts.push_back(part);
    }
    return parts;
}

std::string JoinOutputPath(const std::string& destPath, const std::vector<std::string>& parts,
                           char separator) {
    std::string path = destPath;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') {
        path += separator;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            path += separator;
        }
        path += parts[i];
    }
    return path;
}

}  // namespace rarcore
