// Reading and writing the suite's own files without following links or truncating in place.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// What a written file must survive.
enum class Durability {
    Synced,   // a crash just after the call keeps it: data and folder entry are flushed
    Scratch,  // a working copy nobody needs after a crash: not flushed, still replaced whole
};

// Replaces `target` with `bytes`: the data go to a new temporary file in the same
// folder, are flushed to disk (unless Scratch), and the temporary file is renamed onto
// the literal name. A symbolic link at `target` is replaced by the file, never followed;
// a folder or other non-regular file there is left alone and refused. On failure the old
// file stays whole and `error` (when given) says why in one line.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr,
                         Durability durability = Durability::Synced);

// Writes `bytes` to the FIFO or character device already at `path` (through links), as
// a shell's redirection does: nothing is created, truncated or renamed, and anything
// else at the name is left untouched and refused. Waits for a FIFO's reader.
bool writeToStream(const std::filesystem::path& path, std::string_view bytes,
                   std::string* error = nullptr);

// True when `path` leads, through any links, to a FIFO or a character device.
bool isStream(const std::filesystem::path& path);

enum class ReadStatus { Ok, Missing, NotRegular, TooLarge, Failed };

struct ReadResult {
    ReadStatus status = ReadStatus::Failed;
    std::string bytes;  // whole file when status is Ok
    std::string error;  // one line when status is not Ok
};

// Reads a regular file of at most `maxBytes`. A FIFO, device or folder is refused
// without blocking; a symbolic link is refused unless `followLinks`.
ReadResult readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                           bool followLinks = false);

// True when `path` names a regular file itself (not through a link).
bool isPlainRegularFile(const std::filesystem::path& path);

}  // namespace platform
