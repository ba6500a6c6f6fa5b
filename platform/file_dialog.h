// The open-file dialog seam.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Asks for one existing file. `nameFilters` are Qt name filters such as
    // "图像文件(*.bmp,*.jpg) (*.bmp *.jpg *.jpeg)". Returns the empty text when cancelled.
    virtual QString openFile(const QString& title, const QStringList& nameFilters,
                             const QString& startDir) = 0;
};

}  // namespace platform
