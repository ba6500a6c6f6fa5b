// Fuzzing the picture file check: any bytes must be judged without fault, and a whole
// BMP or JPEG must stay whole with bytes added after it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefx/core/picture_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const imagefx::PictureData verdict = imagefx::checkPictureData(file);
    // Plain BMP rows and JPEG streams end where their headers and markers say; what
    // follows is never read. (Run-length BMP data may end after their last row instead
    // of with an end code, so added bytes are read as codes there.)
    const bool runLength = size >= 34 && data[0] == 'B' && (data[30] == 1 || data[30] == 2);
    if (verdict == imagefx::PictureData::Complete && !runLength) {
        std::vector<std::uint8_t> longer(data, data + size);
        longer.insert(longer.end(), {0xff, 0x00, 0x42});
        if (imagefx::checkPictureData(longer) != imagefx::PictureData::Complete) __builtin_trap();
    }
    return 0;
}
