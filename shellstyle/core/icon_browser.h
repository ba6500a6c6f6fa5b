// What the main window knows about the opened icon file: its name, its icon count,
// and the scroll bar that picks the icon shown.
#pragma once

#include <QString>

namespace shellstyle {

class IconBrowser {
public:
    // A file was chosen (`file` empty: the dialog was cancelled) holding `count`
    // icons (0 when unreadable or without icons). The scroll bar goes back to 0.
    void opened(const QString& file, int count);

    // The scroll bar moved to `value`. Returns whether an icon should be drawn:
    // only once a file with icons is open.
    bool moved(int value);

    const QString& iconFile() const { return iconFile_; }
    int iconCount() const { return iconCount_; }
    int iconIndex() const { return iconIndex_; }

    // The scroll bar: range 0..scrollMax(), enabled only for two icons or more.
    bool scrollEnabled() const { return iconCount_ - 1 >= 1; }
    int scrollMax() const { return iconCount_ > 1 ? iconCount_ - 1 : 0; }
    int scrollValue() const { return iconIndex_; }

    // The texts of the number labels.
    QString indexText() const { return QString::number(iconIndex_); }
    QString countText() const { return QString::number(iconCount_); }

private:
    QString iconFile_;
    int iconCount_ = 0;
    int iconIndex_ = 0;
};

}  // namespace shellstyle
