#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hw {

// Thrown when a read needs a byte the file does not have.
struct ReadBeyondEnd {};

// Sequential reader over the bytes of a file. Every read is bounded by the
// buffer; running out throws ReadBeyondEnd, so a parser never sees a partial
// value.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint8_t Byte() {
        if (pos_ >= bytes_.size()) throw ReadBeyondEnd{};
        return bytes_[pos_++];
    }
    // A 16-bit count, high byte first.
    uint16_t Count() {
        const uint8_t hi = Byte();
        return uint16_t((hi << 8) | Byte());
    }
    void Skip(size_t n) {
        if (n > bytes_.size() - pos_) throw ReadBeyondEnd{};
        pos_ += n;
    }
    // The next n bytes, consumed.
    std::span<const uint8_t> Take(size_t n) {
        if (n > bytes_.size() - pos_) throw ReadBeyondEnd{};
        auto s = bytes_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    size_t Position() const { return pos_; }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// Appends bytes in file order.
class ByteWriter {
public:
    void Byte(int v) { out_.push_back(uint8_t(v)); }
    void Count(int v) {
        out_.push_back(uint8_t((v >> 8) & 0xFF));
        out_.push_back(uint8_t(v & 0xFF));
    }
    void Bytes(const uint8_t* p, size_t n) { out_.insert(out_.end(), p, p + n); }
    void Zeros(size_t n) { out_.insert(out_.end(), n, uint8_t(0)); }
    std::vector<uint8_t>& Data() { return out_; }

private:
    std::vector<uint8_t> out_;
};

} // namespace hw
