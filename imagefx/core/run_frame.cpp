// The run frame shared by every filter.
#include "imagefx/core/run_frame.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imagefx/core/channel_rules.h"

namespace imagefx {

namespace {

void fillBlack(std::uint32_t* row, int from, int to) {
    if (from <= to) std::fill(row + from, row + to + 1, rgbPixel(0, 0, 0));
}

// Pixels before the first 64-byte line boundary at or after `out`: the row loops write the
// rest in whole lines, which costs less than stores that straddle two lines.
int pixelsBeforeLine(const std::uint32_t* out, int count) {
    constexpr std::uintptr_t kLine = 64;
    const std::uintptr_t past = reinterpret_cast<std::uintptr_t>(out) % kLine;
    const int lead = past == 0 ? 0 : static_cast<int>((kLine - past) / sizeof(std::uint32_t));
    return std::min(lead, count);
}

}  // namespace

bool runFilter(const FilterRow& row, const Planes& planes, Picture& work,
               const RunExtras& extras) {
    const int w = planes.width;
    const int h = planes.height;
    if (w != work.width() || h != work.height()) return false;
    if (row.drawsOffsets && !extras.random) return false;
    PreparedKernel kernel{};
    RowShared shared;
    PixelRule pixels = row.pixels;
    if (row.rule == customFilter().rule) {
        if (!extras.custom || extras.custom->FilterDivide == 0) return false;
        kernel = rules::prepareKernel(*extras.custom);
        shared.kernel = &kernel;
        if (kernel.copiedTap >= 0) pixels = rules::copiedPixels;
    }

    // Processed rows and columns, and the part of them inside the copied block.
    const int r0 = row.rect.lead, r1 = h - 1 - row.rect.trail;
    const int c0 = row.rect.lead, c1 = w - 1 - row.rect.trail;
    const bool processes = r0 <= r1 && c0 <= c1;
    const int blockLast = h - 2;
    const int bx1 = w - 2;
    const int cx0 = std::max(c0, 1), cx1 = std::min(c1, bx1);
    const int count = cx1 - cx0 + 1;

    std::vector<std::uint8_t> red(std::max(count, 0)), green(red.size()), blue(red.size());
    std::vector<float> draws;
    std::vector<std::int32_t> offsets;
    if (row.drawsOffsets && processes) {
        draws.resize(2 * static_cast<std::size_t>(c1 - c0 + 1));
        offsets.resize(c1 - c0 + 1);
    }

    ProgressMeter meter(h, extras.progress);
    const int lastRow = processes ? std::max(blockLast, r1) : blockLast;
    for (int y = 1; y <= lastRow; ++y) {
        const bool processed = processes && y >= r0 && y <= r1;
        if (processed && row.drawsOffsets) {
            // Two numbers per output pixel, the row offset first.
            extras.random->fill(draws);
            diffuseOffsets(draws.data(), static_cast<int>(offsets.size()), w, offsets.data());
        }
        if (y <= blockLast && bx1 >= 1) {
            std::uint32_t* out = work.row(y);
            if (processed && count > 0) {
                RowShared rowShared = shared;
                if (row.drawsOffsets) rowShared.offset = offsets.data() + (cx0 - c0);
                const PixelInput in{RowInput{planes.PlaneR.data(), w, y},
                                    RowInput{planes.PlaneG.data(), w, y},
                                    RowInput{planes.PlaneB.data(), w, y}};
                const int lead = pixelsBeforeLine(out + cx0, count);
                if (pixels) {
                    pixels(in, cx0, lead, rowShared, out + cx0);
                    if (rowShared.offset) rowShared.offset += lead;
                    pixels(in, cx0 + lead, count - lead, rowShared, out + cx0 + lead);
                } else {
                    row.rule(in.red, cx0, count, rowShared, red.data());
                    row.rule(in.green, cx0, count, rowShared, green.data());
                    row.rule(in.blue, cx0, count, rowShared, blue.data());
                    rules::composeRow(red.data(), green.data(), blue.data(), lead, out + cx0);
                    rules::composeRow(red.data() + lead, green.data() + lead, blue.data() + lead,
                                      count - lead, out + cx0 + lead);
                }
                fillBlack(out, 1, cx0 - 1);
                fillBlack(out, cx1 + 1, bx1);
            } else {
                fillBlack(out, 1, bx1);
            }
        }
        if (processed) meter.rowDone(y);
    }
    return true;
}

}  // namespace imagefx
