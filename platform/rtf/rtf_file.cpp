// RTF files on disk.
#include "platform/rtf/rtf_file.h"

#include "platform/rtf/document_text.h"
#include "platform/rtf/rtf_writer.h"
#include "platform/safe_file.h"

namespace platform::rtf {

std::optional<std::string> loadRtfFile(const std::filesystem::path& path, std::size_t maxBytes) {
    ReadResult read = readRegularFile(path, maxBytes);
    if (read.status != ReadStatus::Ok) return std::nullopt;
    return documentText(read.bytes);
}

bool saveRtfFile(const std::filesystem::path& path, std::string_view utf8Text) {
    return writeFileAtomically(path, rtfDocument(utf8Text));
}

}  // namespace platform::rtf
