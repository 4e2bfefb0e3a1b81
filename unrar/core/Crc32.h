// CRC32 as both archive formats use it (reflected polynomial 0xEDB88320, the same as zlib's).
#pragma once

#include <cstddef>
#include <cstdint>

namespace rarcore {

// Continues a CRC over more bytes: Crc32Update(Crc32Update(0, a), b) is the CRC of a then b.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);

// The CRC of A followed by B, from CRC(A), CRC(B) and the length of B, without the data: lets a
// split file's part CRCs and its whole-file CRC come from one pass over the bytes.
uint32_t Crc32Combine(uint32_t crcA, uint32_t crcB, uint64_t lengthB);

}  // namespace rarcore
