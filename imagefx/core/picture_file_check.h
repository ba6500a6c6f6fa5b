// Whether a BMP or JPEG file holds all the pixel data its header promises.
#pragma once

#include <cstddef>
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

// For a whole BMP of plain rows that ends without its last row's padding (which some
// writers leave out), how many bytes that padding lacks; 0 for any other file. Readers
// that want every row padded read such a file whole once these bytes are added.
std::size_t missingRowPadding(std::span<const std::uint8_t> file);

}  // namespace imagefx
