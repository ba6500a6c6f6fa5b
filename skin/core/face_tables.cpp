// Which strip cell each control shows for its value and look.
#include "skin/core/face_tables.h"

namespace skin {

Face restFaceFor(int state, Face previous) {
    switch (state) {
    case 0:
        return Face::Normal;
    case 1:
        return Face::Default;
    default:
        return previous;
    }
}

std::optional<int> boxCell(int value, BoxLook look) {
    if (value < 0 || value > 2)
        return std::nullopt;
    return 4 * value + static_cast<int>(look);
}

int boxValueAfterClick(int value) {
    switch (value) {
    case 0:
        return 1;
    case 1:
    case 2:
        return 0;
    default:
        return value;
    }
}

int glyphIndexFor(int value, int previous) {
    return (value >= 0 && value <= 3) ? value : previous;
}

}  // namespace skin
