// The wallpaper seam: making a picture file the desktop background.
#pragma once

#include <QString>

namespace platform {

class Wallpaper {
public:
    virtual ~Wallpaper() = default;
    // `path` is the full path of the picture. True only when the desktop accepted it.
    virtual bool set(const QString& path) = 0;
};

}  // namespace platform
