// The plain text of an RTF document, as a rich-text box shows it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::rtf {

// The text of `document` in UTF-8: groups, control words and symbols are read,
// \'hh bytes decoded in the document's (or the current font's) code page, \uN taken
// with its \ucN fallback skipped, ignorable and non-text destinations (\*, font and
// colour tables, style sheet, info, pictures, field instructions...) left out. Line
// ends are "\n"; the document's last paragraph mark is not part of the text.
// Nothing when the data does not begin as an RTF document ("{\rtf"). Any input is
// read in time proportional to its length; malformed parts are skipped.
std::optional<std::string> rtfPlainText(std::string_view document);

}  // namespace platform::rtf
