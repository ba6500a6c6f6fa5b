// Which strip cell each control shows for its value and look.
#pragma once

#include <optional>

namespace skin {

// Push button faces, cells of the face strip.
enum class Face : int { Normal = 0, Pressed = 1, Disabled = 2, Hot = 3, Default = 4 };

// The rest face for a button State: 0 normal, 1 default; any other State keeps the
// previous rest face.
Face restFaceFor(int state, Face previous);

// Check box looks, the column within one value's four cells.
enum class BoxLook : int { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

// The box strip cell for a Value and look (4 x Value + look); nothing for values
// outside 0..2, which show no new image.
std::optional<int> boxCell(int value, BoxLook look);

// The value after a click: ticked and grey become unticked, unticked becomes ticked,
// anything else stays.
int boxValueAfterClick(int value);

// Caption button glyph sets, in strip order, and looks, in cell order.
enum class Glyph : int { Close = 0, Maximise = 1, Minimise = 2, Restore = 3 };
enum class GlyphLook : int { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

// The glyph set for a Value: 0..3 select a set, any other value keeps `previous`.
int glyphIndexFor(int value, int previous);

}  // namespace skin
