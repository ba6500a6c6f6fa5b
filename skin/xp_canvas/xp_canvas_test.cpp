// The window frame: slicing, caption, cursors, moving, resizing, activation and shaping.
#include "skin/xp_canvas/xp_canvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "skin/core/strip.h"
#include "skin/skin_bitmaps.h"
#include "skin/tests/skin_test_support.h"

namespace skin {
namespace {

using testing::mouse;
using testing::SimulatedPointer;

// A frame whose window-system calls are recorded instead of made.
class RecordingFrame : public xp_canvas {
public:
    using xp_canvas::xp_canvas;
    bool active = true;
    int moves = 0;

protected:
    bool hostIsActive() const override { return active; }
    void startHostMove(QWidget*) override { ++moves; }
};

struct Hosted {
    std::unique_ptr<QWidget> host;
    RecordingFrame* frame;
};

Hosted hosted(QSize size, QPoint at = {100, 80}, bool shown = true) {
    Hosted h;
    h.host = std::make_unique<QWidget>();
    h.host->setWindowFlag(Qt::FramelessWindowHint);
    h.host->setGeometry(QRect(at, size));
    h.frame = new RecordingFrame(h.host.get());
    h.frame->setGeometry(h.host->rect());
    if (shown)
        h.host->show();
    return h;
}

QImage strip(const char* name) {
    return skinBitmap(QString::fromLatin1(name)).convertToFormat(QImage::Format_RGB32);
}

bool sameColumns(const QImage& a, int ax, const QImage& b, int bx, int width, int rows) {
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x)
            if (a.pixel(ax + x, y) != b.pixel(bx + x, y))
                return false;
    return true;
}

int keyPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
    return n;
}

TEST(xp_canvas_test, a_new_instance_shows_its_name_and_the_default_icon_and_titles_the_host) {
    QWidget host;
    xp_canvas frame(&host);
    EXPECT_EQ(frame.size(), QSize(410, 332));
    frame.InitProperties({QStringLiteral("xp_canvas1"), host.font()});
    EXPECT_EQ(frame.Caption(), QStringLiteral("xp_canvas1"));
    EXPECT_EQ(host.windowTitle(), QStringLiteral("xp_canvas1"));
    EXPECT_TRUE(frame.iconIsDefault());
    EXPECT_EQ(frame.Icon(), skinBitmap(QString::fromLatin1(bitmap::kDefaultIcon)));
    frame.setCaption(QString::fromUtf8("外观风格"));
    EXPECT_EQ(host.windowTitle(), QString::fromUtf8("外观风格"));
    EXPECT_EQ(frame.lblshadow()->text(), QString::fromUtf8("外观风格"));
}

TEST(xp_canvas_test, the_title_strip_is_painted_in_three_slices) {
    auto h = hosted({200, 120});
    const QImage top = strip(bitmap::kTopActive);
    const QImage bar = h.frame->barImage(h.frame->pictop());
    ASSERT_EQ(bar.size(), QSize(200, 29));
    EXPECT_TRUE(sameColumns(bar, 0, top, 0, 5, 29));
    EXPECT_TRUE(sameColumns(bar, 195, top, 61, 5, 29));
    EXPECT_EQ(keyPixels(bar), 24);
    // The middle is one strip column stretched, so its rows are uniform.
    EXPECT_EQ(bar.pixel(100, 14), top.pixel(30, 14));
    // Borders: the side pieces stretched over the bars' height, bottom over its width.
    EXPECT_EQ(h.frame->picleft()->geometry(), QRect(0, 29, 5, 120 - 34));
    EXPECT_EQ(h.frame->picright()->geometry(), QRect(195, 29, 5, 120 - 34));
    EXPECT_EQ(h.frame->picbottom()->geometry(), QRect(0, 115, 200, 5));
    EXPECT_EQ(h.frame->barImage(h.frame->picleft()).pixel(0, 40), strip(bitmap::kLeftActive).pixel(0, 15));
}

TEST(xp_canvas_test, narrow_frames_paint_only_the_caps_and_keep_the_top_grip) {
    auto h = hosted({200, 120});
    const int gripBefore = h.frame->grip(Edge::Top)->width();
    EXPECT_EQ(gripBefore, 200 - 18);
    h.frame->resize(10, 120);
    const QImage top = strip(bitmap::kTopActive);
    const QImage bar = h.frame->barImage(h.frame->pictop());
    ASSERT_EQ(bar.width(), 10);
    EXPECT_TRUE(sameColumns(bar, 0, top, 0, 5, 29));
    EXPECT_TRUE(sameColumns(bar, 5, top, 61, 5, 29));
    EXPECT_EQ(h.frame->grip(Edge::Top)->width(), gripBefore);
    for (QSize s : {QSize(3, 3), QSize(0, 0), QSize(17, 30), QSize(1, 500)}) {
        h.frame->resize(s);
        EXPECT_EQ(h.frame->pictop()->width(), s.width());
    }
}

TEST(xp_canvas_test, caption_lies_over_its_shadow_two_pixels_up_and_left) {
    auto h = hosted({300, 100});
    h.frame->setCaption(QStringLiteral("Style"));
    QLabel* caption = h.frame->lblcaption();
    QLabel* shadow = h.frame->lblshadow();
    // The texts start there; the labels reach a little higher for tall fallback glyphs.
    EXPECT_EQ(caption->pos() + caption->contentsRect().topLeft(), QPoint(26, 6));
    EXPECT_EQ(shadow->pos() + shadow->contentsRect().topLeft(), QPoint(28, 8));
    EXPECT_EQ(caption->parentWidget(), h.frame->pictop());
    // Later siblings are drawn over earlier ones.
    const auto& kids = h.frame->pictop()->children();
    EXPECT_LT(kids.indexOf(shadow), kids.indexOf(caption));
    EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(shadow->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_TRUE(caption->font().bold());
    // On screen: white caption pixels, with dark shadow pixels two to the lower right.
    const QImage shot = testing::rendered(h.host.get());
    bool whiteWithShadow = false;
    for (int y = 6; y < 26 && !whiteWithShadow; ++y)
        for (int x = 26; x < 80 && !whiteWithShadow; ++x)
            whiteWithShadow = qGray(shot.pixel(x, y)) > 240 && qGray(shot.pixel(x + 2, y + 2)) < 40;
    EXPECT_TRUE(whiteWithShadow);
}

TEST(xp_canvas_test, cursors_follow_the_host_state_and_fixed_single) {
    auto h = hosted({300, 200});
    auto shape = [&](Edge e) { return h.frame->grip(e)->cursor().shape(); };
    EXPECT_EQ(shape(Edge::Left), Qt::SizeHorCursor);
    EXPECT_EQ(shape(Edge::TopLeft), Qt::SizeFDiagCursor);
    EXPECT_EQ(shape(Edge::TopRight), Qt::SizeBDiagCursor);
    EXPECT_EQ(shape(Edge::Bottom), Qt::SizeVerCursor);

    h.host->setWindowState(Qt::WindowMaximized);
    for (int code = 0; code < kEdgeCount; ++code)
        EXPECT_EQ(shape(Edge(code)), Qt::ArrowCursor) << code;
    EXPECT_EQ(keyPixels(h.frame->barImage(h.frame->pictop())), 0);  // square-cornered strip

    h.host->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(shape(Edge::Right), Qt::SizeHorCursor);
    EXPECT_EQ(keyPixels(h.frame->barImage(h.frame->pictop())), 24);

    h.frame->setFixed_Single(true);
    for (int code = 0; code < kEdgeCount; ++code)
        EXPECT_EQ(shape(Edge(code)), Qt::ArrowCursor) << code;
    h.frame->setFixed_Single(false);
    EXPECT_EQ(shape(Edge::BottomRight), Qt::SizeFDiagCursor);
}

TEST(xp_canvas_test, setting_the_icon_does_not_relay_out) {
    auto h = hosted({300, 200});
    QSignalSpy resized(h.frame, &xp_canvas::Resize);
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::red);
    h.frame->setIcon(icon);
    EXPECT_EQ(resized.count(), 0);
    EXPECT_FALSE(h.frame->iconIsDefault());
    EXPECT_EQ(h.frame->imgicon()->geometry(), QRect(6, 8, 16, 16));
    h.frame->setCaption(QStringLiteral("x"));
    EXPECT_EQ(resized.count(), 1);
}

TEST(xp_canvas_test, borders_resize_the_host_once_on_release) {
    SimulatedPointer pointer;
    auto h = hosted({300, 200}, {100, 80});
    QWidget* left = h.frame->grip(Edge::Left);
    pointer.moveTo({102, 150});
    mouse(left, QEvent::MouseButtonPress, {2, 40}, Qt::LeftButton, Qt::LeftButton);
    pointer.moveTo({132, 170});
    EXPECT_EQ(h.host->geometry(), QRect(100, 80, 300, 200));  // nothing moves while dragging
    mouse(left, QEvent::MouseButtonRelease, {32, 60}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(h.host->geometry(), QRect(130, 80, 270, 200));

    // A corner grip, with the right button.
    QWidget* corner = h.frame->grip(Edge::BottomRight);
    pointer.moveTo({398, 278});
    mouse(corner, QEvent::MouseButtonPress, {4, 4}, Qt::RightButton, Qt::RightButton);
    pointer.moveTo({418, 268});
    mouse(corner, QEvent::MouseButtonRelease, {4, 4}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(h.host->geometry(), QRect(130, 80, 290, 190));
}

TEST(xp_canvas_test, refused_or_forbidden_resizes_leave_the_host_as_it_was) {
    SimulatedPointer pointer;
    auto h = hosted({300, 200}, {100, 80});
    const QRect before = h.host->geometry();
    auto drag = [&](Edge e, QPoint from, QPoint to) {
        QWidget* handle = h.frame->grip(e);
        pointer.moveTo(from);
        mouse(handle, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
        pointer.moveTo(to);
        mouse(handle, QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    };
    drag(Edge::Left, {101, 150}, {101 + 301, 150});  // past the right edge
    EXPECT_EQ(h.host->geometry(), before);
    drag(Edge::Bottom, {150, 279}, {150, 279});  // released where pressed
    EXPECT_EQ(h.host->geometry(), before);
    h.frame->setFixed_Single(true);
    drag(Edge::Right, {399, 150}, {450, 150});
    EXPECT_EQ(h.host->geometry(), before);
    h.frame->setFixed_Single(false);
    h.host->setWindowState(Qt::WindowMaximized);
    const QRect maximised = h.host->geometry();
    drag(Edge::Right, {399, 150}, {450, 150});
    EXPECT_EQ(h.host->geometry(), maximised);
}

TEST(xp_canvas_test, title_bar_moves_a_normal_host_and_double_click_toggles_maximised) {
    auto h = hosted({300, 200});
    mouse(h.frame->pictop(), QEvent::MouseButtonPress, {100, 10}, Qt::LeftButton, Qt::LeftButton);
    mouse(h.frame->lblcaption(), QEvent::MouseButtonPress, {2, 2}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(h.frame->moves, 2);
    mouse(h.frame->imgicon(), QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(h.frame->moves, 2);  // the icon starts no move

    mouse(h.frame->pictop(), QEvent::MouseButtonDblClick, {100, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(h.host->windowState() & Qt::WindowMaximized);
    mouse(h.frame->pictop(), QEvent::MouseButtonPress, {100, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(h.frame->moves, 2);  // no drag while maximised
    mouse(h.frame->lblcaption(), QEvent::MouseButtonDblClick, {2, 2}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(h.host->windowState() & Qt::WindowMaximized);

    h.frame->setFixed_Single(true);
    mouse(h.frame->pictop(), QEvent::MouseButtonDblClick, {100, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(h.host->windowState() & Qt::WindowMaximized);
    mouse(h.frame->pictop(), QEvent::MouseButtonPress, {100, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(h.frame->moves, 3);  // a fixed frame still moves
}

TEST(xp_canvas_test, activation_polls_switch_the_look_once_each) {
    auto h = hosted({300, 200});
    EXPECT_TRUE(h.frame->isActiveLook());
    EXPECT_TRUE(h.frame->Timer1().isActive());
    EXPECT_TRUE(h.frame->Timer2().isActive());
    const QImage activeBar = h.frame->barImage(h.frame->pictop());

    h.frame->active = false;
    h.frame->Timer2_Timer();  // waits for activation: nothing yet
    EXPECT_TRUE(h.frame->Timer2().isActive());
    h.frame->Timer1_Timer();
    EXPECT_FALSE(h.frame->isActiveLook());
    EXPECT_FALSE(h.frame->Timer1().isActive());
    EXPECT_NE(h.frame->barImage(h.frame->pictop()), activeBar);
    EXPECT_EQ(h.frame->barImage(h.frame->pictop()).pixel(30, 14), strip(bitmap::kTopInactive).pixel(30, 14));

    h.frame->active = true;
    h.frame->Timer2_Timer();
    EXPECT_TRUE(h.frame->isActiveLook());
    EXPECT_FALSE(h.frame->Timer2().isActive());
    EXPECT_EQ(h.frame->barImage(h.frame->pictop()), activeBar);

    h.frame->Timer1().start();
    h.frame->Timer2().start();
    h.frame->SetFocus();
    EXPECT_FALSE(h.frame->Timer1().isActive());
    EXPECT_FALSE(h.frame->Timer2().isActive());
}

TEST(xp_canvas_test, focus_entering_the_frame_turns_it_active_and_leaving_starts_the_polls) {
    auto h = hosted({300, 200});
    auto* field = new QWidget(h.host.get());  // a control of the host, outside the frame
    field->setFocusPolicy(Qt::StrongFocus);
    field->setGeometry(0, 0, 1, 1);
    field->show();
    h.host->activateWindow();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != h.host.get())
        GTEST_SKIP() << "this platform does not activate windows";
    field->setFocus();
    h.frame->active = false;
    h.frame->Timer1_Timer();
    ASSERT_FALSE(h.frame->isActiveLook());

    h.frame->pictop()->setFocus();  // a press on the title bar
    EXPECT_TRUE(h.frame->isActiveLook());
    EXPECT_FALSE(h.frame->Timer1().isActive());
    h.frame->Timer2().stop();
    field->setFocus();
    EXPECT_TRUE(h.frame->Timer1().isActive());
    EXPECT_TRUE(h.frame->Timer2().isActive());
}

TEST(xp_canvas_test, only_the_frame_surface_raises_mouse_events) {
    auto h = hosted({300, 200});
    QSignalSpy clicks(h.frame, &xp_canvas::Click);
    QSignalSpy downs(h.frame, &xp_canvas::MouseDown);
    QSignalSpy doubles(h.frame, &xp_canvas::DblClick);
    testing::click(h.frame, {150, 100});
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).toInt(), 1);
    EXPECT_FLOAT_EQ(downs.at(0).at(2).toFloat(), 150.f);
    EXPECT_EQ(clicks.count(), 1);
    testing::click(h.frame->pictop(), {150, 10});
    testing::click(h.frame->picbottom(), {150, 2});
    EXPECT_EQ(clicks.count(), 1);
    QSignalSpy ups(h.frame, &xp_canvas::MouseUp);
    mouse(h.frame, QEvent::MouseButtonDblClick, {150, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(h.frame, QEvent::MouseButtonRelease, {150, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(xp_canvas_test, make_trans_cuts_the_two_rounded_corners_of_a_normal_host) {
    // Hosts shape themselves while loading, before they are shown.
    auto h = hosted({240, 160}, {0, 0}, false);
    h.frame->make_trans(h.host.get());
    const QRegion mask = h.host->mask();
    int area = 0;
    for (const QRect& r : mask)
        area += r.width() * r.height();
    EXPECT_EQ(area, 240 * 160 - 24);
    const int cut[5] = {5, 3, 2, 1, 1};
    for (int y = 0; y < 5; ++y) {
        EXPECT_FALSE(mask.contains(QPoint(cut[y] - 1, y))) << y;
        EXPECT_TRUE(mask.contains(QPoint(cut[y], y))) << y;
        EXPECT_FALSE(mask.contains(QPoint(239 - (cut[y] - 1), y))) << y;
        EXPECT_TRUE(mask.contains(QPoint(239 - cut[y], y))) << y;
    }
}

TEST(xp_canvas_test, the_cut_corners_are_drawn_transparent_and_every_other_pixel_opaque) {
    // Where a mask bounds only input, what is drawn must leave the corners out too.
    auto h = hosted({240, 160}, {0, 0}, false);
    h.frame->make_trans(h.host.get());
    EXPECT_TRUE(h.host->testAttribute(Qt::WA_TranslucentBackground));
    h.host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.host.get()));
    // Drawn as the window's own surface is: onto nothing, background and children.
    QImage drawn(h.host->size(), QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    h.host->render(&drawn);
    ASSERT_EQ(drawn.size(), QSize(240, 160));
    const QRegion mask = h.host->mask();
    int clear = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x) {
            const int alpha = qAlpha(drawn.pixel(x, y));
            EXPECT_EQ(alpha, mask.contains(QPoint(x, y)) ? 255 : 0) << x << "," << y;
            EXPECT_NE(drawn.pixel(x, y) & 0xFFFFFFu, 0xFF00FFu) << x << "," << y;
            clear += alpha == 0;
        }
    EXPECT_EQ(clear, 24);
}

TEST(xp_canvas_test, make_trans_leaves_maximised_and_wider_hosts_square_where_the_frame_is_not) {
    auto h = hosted({240, 160});
    h.host->setWindowState(Qt::WindowMaximized);
    h.host->resize(240, 160);
    h.frame->make_trans(h.host.get());
    EXPECT_EQ(h.host->mask(), QRegion(0, 0, 240, 160));

    auto wide = hosted({300, 160});
    wide.frame->resize(200, 160);
    wide.frame->make_trans(wide.host.get());
    const QRegion mask = wide.host->mask();
    EXPECT_FALSE(mask.contains(QPoint(199, 0)));  // the frame's right end
    EXPECT_TRUE(mask.contains(QPoint(299, 0)));   // the host's own corner stays square
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
}

}  // namespace
}  // namespace skin
