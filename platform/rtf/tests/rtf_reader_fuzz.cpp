// Fuzzing the RTF reader and the rich-or-plain file reading around it: any bytes must
// read without fault, and any valid UTF-8 text written by the writer must read back
// to itself (line ends made "\n").
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "platform/rtf/document_text.h"
#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    (void)platform::rtf::rtfPlainText(input);
    (void)platform::rtf::documentText(input);

    if (platform::codePointsToUtf8(platform::utf8ToCodePoints(input)) != input) return 0;
    std::string expected;
    for (size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\r') {
            if (i + 1 < input.size() && input[i + 1] == '\n') ++i;
            expected += '\n';
        } else {
            expected += input[i];
        }
    }
    auto back = platform::rtf::rtfPlainText(platform::rtf::rtfDocument(input));
    if (!back || *back != expected) __builtin_trap();
    return 0;
}
