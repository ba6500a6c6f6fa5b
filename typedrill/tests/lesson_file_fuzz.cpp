// Fuzz target: any bytes as a lesson file give one run of text without line ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "typedrill/core/lesson_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString lesson = typedrill::joinLessonLines(std::string_view(reinterpret_cast<const char*>(data), size));
    if (lesson.contains(QLatin1Char('\n')) || lesson.contains(QLatin1Char('\r'))) std::abort();
    if (lesson.size() > static_cast<qsizetype>(size)) std::abort();  // never more characters than bytes
    return 0;
}
