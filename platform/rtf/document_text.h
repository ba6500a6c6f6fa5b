// The text a box shows for a file's bytes: rich text, or plain text when it is not.
#pragma once

#include <string>
#include <string_view>

namespace platform::rtf {

// The text of `bytes` in UTF-8, line ends "\n" and the last one dropped:
// - an RTF document ("{\rtf", after a UTF-8 byte-order mark if there is one) gives
//   its plain text, as rtfPlainText reads it;
// - UTF-16 with a byte-order mark (either byte order) is decoded, then read as above;
// - anything else is plain text: UTF-8 when it is valid UTF-8 (this platform's locale
//   encoding), otherwise code page 936, what a Chinese text editor of the original
//   platform writes.
// Never fails; time proportional to the length.
std::string documentText(std::string_view bytes);

}  // namespace platform::rtf
