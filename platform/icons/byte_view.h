// A bounds-checked, read-only view of bytes: every read says whether it fit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform::icons {

class ByteView {
public:
    ByteView() = default;
    ByteView(const std::uint8_t* data, std::size_t size) : data_(size ? data : nullptr), size_(data ? size : 0) {}

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const std::uint8_t* data() const { return data_; }

    // True when [offset, offset + length) lies inside the view.
    bool holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    // Little-endian reads (the byte order of every container read here).
    std::optional<std::uint8_t> u8(std::uint64_t offset) const {
        if (!holds(offset, 1)) return std::nullopt;
        return data_[offset];
    }
    std::optional<std::uint16_t> u16(std::uint64_t offset) const {
        if (!holds(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
    }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const {
        if (!holds(offset, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(data_[offset]) | static_cast<std::uint32_t>(data_[offset + 1]) << 8 |
               static_cast<std::uint32_t>(data_[offset + 2]) << 16 | static_cast<std::uint32_t>(data_[offset + 3]) << 24;
    }
    std::optional<std::int32_t> i32(std::uint64_t offset) const {
        auto v = u32(offset);
        if (!v) return std::nullopt;
        return static_cast<std::int32_t>(*v);
    }
    // PNG keeps its numbers big-endian.
    std::optional<std::uint32_t> u32be(std::uint64_t offset) const {
        if (!holds(offset, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(data_[offset]) << 24 | static_cast<std::uint32_t>(data_[offset + 1]) << 16 |
               static_cast<std::uint32_t>(data_[offset + 2]) << 8 | static_cast<std::uint32_t>(data_[offset + 3]);
    }

    // The bytes [offset, offset + length), or nothing when they do not all fit.
    std::optional<ByteView> sub(std::uint64_t offset, std::uint64_t length) const {
        if (!holds(offset, length)) return std::nullopt;
        return ByteView(data_ + offset, static_cast<std::size_t>(length));
    }
    // Everything from offset to the end (empty past the end).
    ByteView from(std::uint64_t offset) const {
        if (offset >= size_) return {};
        return ByteView(data_ + offset, size_ - static_cast<std::size_t>(offset));
    }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform::icons
