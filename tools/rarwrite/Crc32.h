// CRC32 as both archive formats use it (reflected polynomial 0xEDB88320, zlib's crc32). The
// reader core's implementation serves the writer too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "unrar/core/Crc32.h"

namespace rarwrite {

// Continues a CRC over more bytes: Crc32Update(Crc32Update(0, a), b) == CRC of a followed by b.
inline uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    return rarcore::Crc32Update(crc, data, size);
}

inline uint32_t Crc32(std::string_view bytes) {
    return Crc32Update(0, bytes.data(), bytes.size());
}

}  // namespace rarwrite
