// Little-endian output buffer for the writers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::icons {

class BytesOut {
public:
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    void u8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) { u8(v); u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v); u16(v >> 16); }
    void u64(std::uint64_t v) { u32(static_cast<std::uint32_t>(v)); u32(static_cast<std::uint32_t>(v >> 32)); }
    void text(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void append(const std::vector<std::uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    void zeros(std::size_t n) { bytes_.resize(bytes_.size() + n, 0); }
    void padTo(std::size_t alignment) { while (bytes_.size() % alignment) bytes_.push_back(0); }

    // Overwrites an earlier field once its value is known.
    void putU16(std::size_t at, std::uint32_t v) {
        bytes_[at] = static_cast<std::uint8_t>(v);
        bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void putU32(std::size_t at, std::uint32_t v) {
        putU16(at, v);
        putU16(at + 2, v >> 16);
    }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace platform::icons
