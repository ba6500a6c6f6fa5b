// Opening an icon file and stepping through its icons.
#include "shellstyle/core/icon_browser.h"

#include <algorithm>

namespace shellstyle {

void IconBrowser::opened(const QString& file, int count) {
    iconFile_ = file;
    iconCount_ = file.isEmpty() ? 0 : std::max(count, 0);
    iconIndex_ = 0;
}

bool IconBrowser::moved(int value) {
    if (iconCount_ <= 0) return false;
    iconIndex_ = std::clamp(value, 0, iconCount_ - 1);
    return true;
}

}  // namespace shellstyle
