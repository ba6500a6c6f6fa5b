// Reading the custom kernel's entries.
#include "imagefx/core/custom_kernel.h"

#include <cmath>
#include <limits>

namespace imagefx {

double leadingNumber(const QString& text) {
    const QString& t = text;
    int i = 0;
    const int n = static_cast<int>(t.size());
    while (i < n && (t[i] == u' ' || t[i] == u'\t')) ++i;
    const int start = i;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    int digits = 0;
    while (i < n && t[i] >= u'0' && t[i] <= u'9') { ++i; ++digits; }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && t[i] >= u'0' && t[i] <= u'9') { ++i; ++digits; }
    }
    if (digits == 0) return 0.0;
    int end = i;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        int j = i + 1;
        if (j < n && (t[j] == u'+' || t[j] == u'-')) ++j;
        const int expStart = j;
        while (j < n && t[j] >= u'0' && t[j] <= u'9') ++j;
        if (j > expStart) end = j;
    }
    // Only an exponent out of a double's range fails here: too large gives an infinity
    // (refused by entryValue), too small gives 0, both as the number reads.
    return t.mid(start, end - start).toDouble();
}

std::optional<std::int16_t> entryValue(const QString& text) {
    const double rounded = std::nearbyint(leadingNumber(text));
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<int> acceptEntries(const KernelEntries& entries, FilterSettings& settings) {
    const auto divide = entryValue(entries.divide);
    if (!divide || *divide == 0) return kDivideBox;
    const auto bias = entryValue(entries.bias);
    if (!bias) return kBiasBox;
    std::array<std::int16_t, 9> weights{};
    for (int box = 0; box < 9; ++box) {
        const auto w = entryValue(entries.weights[box]);
        if (!w) return box;
        weights[box] = *w;
    }
    settings.FilterOk = true;
    settings.FilterDivide = *divide;
    settings.FilterBias = *bias;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) settings.FilterKernel[r][c] = weights[3 * (r - 1) + (c - 1)];
    return std::nullopt;
}

QString entryProblem(const KernelEntries& entries, int box) {
    if (box == kDivideBox)
        return entryValue(entries.divide) == 0 ? QStringLiteral("除数(Divide)不能为 0")
                                               : QStringLiteral("除数(Divide)超出范围");
    if (box == kBiasBox) return QStringLiteral("偏移量(Blas)超出范围");
    return QStringLiteral("第%1行第%2列的权值超出范围").arg(box / 3 + 1).arg(box % 3 + 1);
}

}  // namespace imagefx
