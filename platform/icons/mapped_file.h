// A regular file mapped read-only into memory, so reading a header costs a page.
#pragma once

#include "platform/icons/byte_view.h"

#include <filesystem>

namespace platform::icons {

class MappedFile {
public:
    // Maps a regular file; folders, devices, pipes and unreadable files give an
    // empty view, as does an empty file.
    explicit MappedFile(const std::filesystem::path& file);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    ByteView view() const { return ByteView(static_cast<const std::uint8_t*>(data_), size_); }

private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform::icons
