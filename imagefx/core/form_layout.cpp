// Layout arithmetic of the main window.
#include "imagefx/core/form_layout.h"

#include <algorithm>
#include <cmath>

namespace imagefx::layout {

namespace {
int px(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }
}  // namespace

QRect pixels(int left, int top, int width, int height) {
    const int l = px(left), t = px(top);
    return QRect(l, t, px(left + width) - l, px(top + height) - t);
}

std::array<int, 7> filterButtonTops() {
    std::array<int, 7> tops{};
    tops[0] = 240;
    for (std::size_t i = 1; i < tops.size(); ++i) tops[i] = tops[i - 1] + kButtonH + 5;
    return tops;
}

namespace {

// Stacks buttons in a frame of design width frameW and height frameH (pixels) from their
// design tops (twips, in order) and returns the frame height they need. The design's gaps
// between them are kept if the frame then keeps its design height; otherwise the buttons
// touch, as the design's gaps of a third of a pixel meant them to.
template <std::size_t N>
int stackButtons(const ColumnNeeds& needs, int frameW, int frameH, const std::array<int, N>& tops,
                 std::array<QRect, N>& out) {
    const int w = std::clamp(std::max(px(kButtonW), needs.buttonW), 1, frameW - 2 * needs.frameSide);
    const int h = std::max(px(kButtonH), needs.buttonH);
    const int left = (frameW - w) / 2;  // the design centres them
    int needed = 0;
    for (const bool gaps : {true, false}) {
        int top = std::max(px(tops[0]), needs.frameTop);
        for (std::size_t i = 0; i < N; ++i) {
            out[i] = QRect(left, top, w, h);
            if (i + 1 < N) top += h + (gaps ? std::max(0, px(tops[i + 1]) - px(tops[i]) - h) : 0);
        }
        needed = out[N - 1].bottom() + 1 + needs.frameBottom;
        if (needed <= frameH) break;
    }
    return needed;
}

}  // namespace

ColumnLayout layoutColumn(const ColumnNeeds& needs) {
    constexpr int kMinGap = 3;  // between the column's items when one has to move down
    ColumnLayout c;
    const int columnLeft = px(kColumnLeft), columnW = px(kColumnLeft + kColumnW) - columnLeft;
    auto place = [&](int designTop, int designH, int height, int after) {
        const int top = std::max(px(designTop), after + kMinGap);
        return QRect(columnLeft, top, columnW, std::max(px(designTop + designH) - px(designTop), height));
    };
    c.comOpen = place(kComOpenTop, kComOpenH, needs.buttonH, -kMinGap);

    std::array<int, 7> tops1 = filterButtonTops();
    const int frame1H = stackButtons(needs, columnW, px(kFrame1Top + kFrame1H) - px(kFrame1Top), tops1, c.frame1Buttons);
    c.frame1 = place(kFrame1Top, kFrame1H, frame1H, c.comOpen.bottom() + 1);
    const int frame2H = stackButtons(needs, columnW, px(kFrame2Top + kFrame2H) - px(kFrame2Top), kCommand2Tops, c.frame2Buttons);
    c.frame2 = place(kFrame2Top, kFrame2H, frame2H, c.frame1.bottom() + 1);
    c.save = place(kSaveTop, kSaveH, needs.buttonH, c.frame2.bottom() + 1);

    const QRect designForm = pixels(0, 0, kFormW, kFormH);
    const int designSaveBottom = px(kSaveTop + kSaveH);
    const int grow = std::max(0, c.save.bottom() + 1 - designSaveBottom);
    c.form = QSize(designForm.width(), designForm.height() + grow);
    c.viewport = pixels(kPic2[0], kPic2[1], kPic2[2], kPic2[3]).adjusted(0, 0, 0, grow);
    return c;
}

}  // namespace imagefx::layout
