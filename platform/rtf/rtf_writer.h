// The rich-text document a rich-text box writes for a plain text.
#pragma once

#include <string>
#include <string_view>

namespace platform::rtf {

// A whole RTF document holding `utf8Text`: a code page 936 header and font table,
// the text with non-ASCII characters as \'hh bytes of code page 936 (\uN for the
// few that code page 936 lacks), and a \par closing every line, the last included.
// "\r\n", "\r" and "\n" all end a line. Malformed UTF-8 is written as U+FFFD.
std::string rtfDocument(std::string_view utf8Text);

}  // namespace platform::rtf
