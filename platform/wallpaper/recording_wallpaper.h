// A wallpaper service for tests: records each path and answers as told.
#pragma once

#include <QStringList>

#include "platform/wallpaper/wallpaper.h"

namespace platform::testing {

class RecordingWallpaper final : public Wallpaper {
public:
    QStringList paths;
    bool accepts = true;

    bool set(const QString& path) override {
        paths.append(path);
        return accepts;
    }
};

}  // namespace platform::testing
