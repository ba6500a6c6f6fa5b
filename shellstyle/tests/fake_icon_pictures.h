// Icon files for the form tests: a count per file name, icon N a flat colour N.
#pragma once

#include <map>

#include <QColor>
#include <QImage>

#include "shellstyle/ui/icon_pictures.h"

namespace shellstyle::testing {

class FakeIconPictures final : public ui::IconPictures {
public:
    std::map<QString, int> counts;
    std::vector<std::pair<QString, int>> drawn;  // every picture asked for

    static QColor colourOf(int index) { return QColor::fromHsv((index * 37) % 360, 200, 220); }

    int count(const QString& file) override {
        auto it = counts.find(file);
        return it == counts.end() ? 0 : it->second;
    }
    QImage picture(const QString& file, int index) override {
        drawn.emplace_back(file, index);
        if (index < 0 || index >= count(file)) return {};
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(colourOf(index));
        return img;
    }
};

}  // namespace shellstyle::testing
