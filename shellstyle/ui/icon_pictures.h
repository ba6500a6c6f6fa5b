// The icon reader as the main window uses it: how many icons a file holds, and one as a picture.
#pragma once

#include <QImage>
#include <QString>

namespace shellstyle::ui {

class IconPictures {
public:
    virtual ~IconPictures() = default;
    // 0 for a file without icons or one that cannot be read.
    virtual int count(const QString& file) = 0;
    // Icon `index` as a 32 x 32 picture; a null image when there is none.
    virtual QImage picture(const QString& file, int index) = 0;
};

// Icons read from .ico files, programs and icon libraries.
class FileIconPictures final : public IconPictures {
public:
    int count(const QString& file) override;
    QImage picture(const QString& file, int index) override;
};

}  // namespace shellstyle::ui
