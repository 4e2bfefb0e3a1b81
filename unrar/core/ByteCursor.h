// Bounded little-endian reading over a header held in memory. Every read checks the bounds;
// after the first failure the cursor stays failed, so a parser can read a run of fields and
// check ok() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace rarcore {

class ByteCursor {
public:
    ByteCursor(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

    uint8_t U8() { return static_cast<uint8_t>(Fixed(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Fixed(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Fixed(4)); }
    uint64_t U64() { return Fixed(8); }

    // RAR 5 variable-length integer: 7 bits per byte, low group first, at most 10 bytes.
    // Non-minimal forms (padding with 0x80 bytes) are valid.
    uint64_t Vint() {
        uint64_t value = 0;
        for (int i = 0; i < 10; ++i) {
            if (!Require(1)) {
                return 0;
            }
            uint8_t byte = data_[pos_++];
            uint64_t bits = byte & 0x7F;
            if (i == 9 && bits > 1) {
                return Fail();  // more than 64 bits
            }
            value |= bits << (7 * i);
            if ((byte & 0x80) == 0) {
                return value;
            }
        }
        return Fail();
    }

    std::string Bytes(uint64_t count) {
        if (!Require(count)) {
            return std::string();
        }
        std::string out(reinterpret_cast<const char*>(data_ + pos_), size_t(count));
        pos_ += size_t(count);
        return out;
    }

    void Skip(uint64_t count) {
        if (Require(count)) {
            pos_ += size_t(count);
        }
    }

private:
    bool Require(uint64_t count) {
        if (!ok_ || count > size_ - pos_) {
            ok_ = false;
        }
        return ok_;
    }
    uint64_t Fail() {
        ok_ = false;
        return 0;
    }
    uint64_t Fixed(int bytes) {
        if (!Require(uint64_t(bytes))) {
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= uint64_t(data_[pos_ + size_t(i)]) << (8 * i);
        }
        pos_ += size_t(bytes);
        return value;
    }

    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace rarcore
