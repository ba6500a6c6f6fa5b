// The pictures of the icon library, each painted in code on a 32x32 canvas.
#pragma once

#include <QPainter>

#include <vector>

namespace icon_library {

struct IconPicture {
    int number;        // icon number in the library; the XP preset relies on these
    const char* name;  // what it shows
    void (*paint)(QPainter& painter);  // paints in 32x32 units, antialiased
};

// Every picture, numbered 0 to N-1 in order.
const std::vector<IconPicture>& iconPictures();

}  // namespace icon_library
