#include "tools/rarwrite/VolumeNames.h"

#include <cctype>
#include <stdexcept>

namespace rarwrite {
namespace {

size_t FileNameStart(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool EqualsIgnoreCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

// Adds one to the digits in [first, last) of `name`; a carry out of the group adds a leading 1.
void IncrementDigits(std::string& name, size_t first, size_t last) {
    for (size_t i = last; i-- > first;) {
        if (name[i] != '9') {
            ++name[i];
            return;
        }
        name[i] = '0';
    }
    name.insert(first, 1, '1');
}

std::string NextPartsName(const std::string& current) {
    const size_t start = FileNameStart(current);
    size_t end = current.find_last_of('.');
    if (end == std::string::npos || end < start) {
        end = current.size();
    }
    size_t last = end;
    while (last > start && !IsDigit(current[last - 1])) {
        --last;
    }
    size_t first = last;
    while (first > start && IsDigit(current[first - 1])) {
        --first;
    }
    if (first == last) {
        throw std::runtime_error("volume name has no number to count up: " + current);
    }
    std::string next = current;
    IncrementDigits(next, first, last);
    return next;
}

std::string NextOldStyleName(const std::string& current) {
    const size_t dot = current.find_last_of('.');
    if (dot == std::string::npos || dot < FileNameStart(current) || current.size() - dot != 4) {
        throw std::runtime_error("old-style volume name must end in a 3-letter extension: " +
                                 current);
    }
    std::string next = current;
    const std::string ext = current.substr(dot + 1);
    if (EqualsIgnoreCase(ext, "rar")) {
        next[dot + 2] = '0';
        next[dot + 3] = '0';
        return next;
    }
    if (!IsDigit(ext[1]) || !IsDigit(ext[2]) || !std::isalpha(static_cast<unsigned char>(ext[0]))) {
        throw std::runtime_error("not an old-style volume name: " + current);
    }
    if (ext[1] == '9' && ext[2] == '9') {
        if (ext[0] == 'z' || ext[0] == 'Z') {
            throw std::runtime_error("old-style volume names exhausted after " + current);
        }
        ++next[dot + 1];
        next[dot + 2] = '0';
        next[dot + 3] = '0';
        return next;
    }
    IncrementDigits(next, dot + 2, dot + 4);
    return next;
}

// Position of N in "...partN.rar", or npos.
size_t PartNumberStart(const std::string& path) {
    const size_t start = FileNameStart(path);
    const std::string name = path.substr(start);
    if (name.size() < 4 || !EqualsIgnoreCase(name.substr(name.size() - 4), ".rar")) {
        return std::string::npos;
    }
    size_t first = name.size() - 4;
    while (first > 0 && IsDigit(name[first - 1])) {
        --first;
    }
    if (first == name.size() - 4 || first < 5 ||
        !EqualsIgnoreCase(name.substr(first - 5, 5), ".part")) {
        return std::string::npos;
    }
    return start + first;
}

}  // namespace

std::string NextVolumeName(const std::string& current, Naming naming) {
    return naming == Naming::Parts ? NextPartsName(current) : NextOldStyleName(current);
}

std::vector<std::string> VolumePaths(const std::string& firstVolumePath, size_t count,
                                     Naming naming, int partDigits) {
    std::vector<std::string> paths;
    if (count == 0) {
        return paths;
    }
    std::string first = firstVolumePath;
    if (count > 1 && naming == Naming::Parts && PartNumberStart(first) == std::string::npos) {
        const size_t start = FileNameStart(first);
        if (first.size() - start < 4 || !EqualsIgnoreCase(first.substr(first.size() - 4), ".rar")) {
            throw std::runtime_error("first volume name must end in .rar: " + first);
        }
        if (partDigits < 1 || partDigits > 9) {
            throw std::runtime_error("part digits must be 1 to 9");
        }
        const std::string number = std::string(static_cast<size_t>(partDigits) - 1, '0') + "1";
        first.insert(first.size() - 4, ".part" + number);
    }
    paths.push_back(first);
    for (size_t i = 1; i < count; ++i) {
        paths.push_back(NextVolumeName(paths.back(), naming));
    }
    return paths;
}

}  // namespace rarwrite
