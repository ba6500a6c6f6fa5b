// The six preset filters and the custom kernel as rows of one table.
#include "imagefx/core/filter_table.h"

#include <array>

#include "imagefx/core/channel_rules.h"

namespace imagefx {

namespace {

constexpr std::array<FilterRow, 6> kPresets{{
    {"柔化", {1, 1}, rules::soften, false},    // soften: 3x3 mean, truncated
    {"锐化", {1, 1}, nullptr, false, rules::sharpenPixels},   // sharpen against the upper-left neighbour
    {"浮雕", {1, 1}, nullptr, false, rules::embossPixels},    // emboss against the lower-right neighbour
    {"雕刻", {2, 0}, nullptr, false, rules::engravePixels},   // engrave against the upper-left neighbour
    {"扩散", {2, 2}, nullptr, true, rules::diffusePixels},    // diffuse: a pixel up to two away
    {"曝光", {1, 1}, nullptr, false, rules::exposurePixels},  // exposure: inverts the darker half
}};

constexpr FilterRow kCustom{"过滤", {2, 1}, rules::customKernel, false};

}  // namespace

std::span<const FilterRow> presetFilters() { return kPresets; }
const FilterRow& customFilter() { return kCustom; }

QString progressCaption(const FilterRow& row) {
    return QStringLiteral("正在") + QString::fromUtf8(row.name) + QStringLiteral("图像...");
}

QString buttonCaption(const FilterRow& row) {
    const QString name = QString::fromUtf8(row.name);
    return name.left(1) + QStringLiteral("    ") + name.mid(1);
}

}  // namespace imagefx
