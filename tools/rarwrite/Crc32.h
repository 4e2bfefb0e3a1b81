// CRC32 as both archive formats use it (reflected polynomial 0xEDB88320, zlib's crc32).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rarwrite {

// Continues a CRC over more bytes: Crc32Update(Crc32Update(0, a), b) == CRC of a followed by b.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);

inline uint32_t Crc32(std::string_view bytes) {
    return Crc32Update(0, bytes.data(), bytes.size());
}

}  // namespace rarwrite
