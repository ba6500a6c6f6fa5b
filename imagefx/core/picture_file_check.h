// Whether a BMP or JPEG file holds all the pixel data its header promises.
#pragma once

#include <cstdint>
#include <span>

namespace imagefx {

enum class PictureData {
    Complete,    // every row (BMP) or the whole coded stream up to its end marker (JPEG) is there
    Damaged,     // cut short, or a header that does not add up: a decode would be partial
    NotChecked,  // neither BMP nor JPEG; the decoder alone decides
};

// Looks only at the file's structure, never decodes. A decoder fills what is missing
// with black or grey and reports success; this is what tells such a file apart.
PictureData checkPictureData(std::span<const std::uint8_t> file);

}  // namespace imagefx
