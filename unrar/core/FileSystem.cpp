#include "unrar/core/FileSystem.h"

#include <cstdint>

#include "unrar/core/DosTime.h"

namespace rarcore {
namespace {

bool IsUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t follow = c < 0x80             ? 0
                        : (c & 0xE0) == 0xC0 ? 1
                        : (c & 0xF0) == 0xE0 ? 2
                        : (c & 0xF8) == 0xF0 ? 3
                                             : SIZE_MAX;
        if (follow == SIZE_MAX || follow >= s.size() - i) {
            return false;
        }
        for (size_t k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += follow + 1;
    }
    return true;
}

}  // namespace

std::string FileSystem::LegacyNameToUtf8(const std::string& raw) const {
    if (IsUtf8(raw)) {
        return raw;
    }
    std::string out;  // read as Latin-1
    for (char ch : raw) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

uint32_t FileSystem::UtcToDosLocal(int64_t utcFileTime) const {
    return DosTimeFrom(UtcCalendarFromFileTime(utcFileTime));
}

}  // namespace rarcore
