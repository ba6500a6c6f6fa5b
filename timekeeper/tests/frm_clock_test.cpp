// The clock window's widgets: their design layout, the two heights, and the alarm
// cycle of hiding and showing again.
#include "timekeeper/ui/frm_clock.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>

#include <QtGlobal>

#include <gtest/gtest.h>

#include "platform/drive_c.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "timekeeper/core/alarm_files.h"

using namespace timekeeper;
using platform::testing::FakeClock;
using platform::testing::FakeMessageBoxes;

namespace {

class FrmClockTest : public ::testing::Test {
protected:
    // Each test starts with an empty drive C:, which only the test sandbox may clear.
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("SUITE_TEST_DATA")) GTEST_SKIP() << "run through ctest";
        std::filesystem::remove_all(platform::driveCDir());
    }

    template <typename T>
    T* child(ui::FrmClock& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void tick(ui::FrmClock& w) {
        clock.advanceMs(1000);
        w.onTimer1();
    }

    FakeClock clock{QDateTime(QDate(2003, 6, 15), QTime(7, 29, 57, 300))};
    FakeMessageBoxes boxes;
};

}  // namespace

TEST_F(FrmClockTest, starts_collapsed_with_the_design_controls) {
    ui::FrmClock w(clock, boxes);
    EXPECT_EQ(w.windowTitle(), "timekeeper工具");
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.height(), ui::FrmClock::clientHeight(1800));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(child<QGroupBox>(w, "Frame2")->isVisible());
    EXPECT_FALSE(child<QPushButton>(w, "cmdStart")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(w, "cmdCls")->isEnabled());
    EXPECT_EQ(child<QPushButton>(w, "cmdTime")->text(), "秒表");
    EXPECT_EQ(child<QTextEdit>(w, "rtbdate")->toPlainText(), "年-月-日");
    EXPECT_EQ(child<QTextEdit>(w, "rtbtime")->toPlainText(), "00:00:00");
    // Started at 7:29:57.300: the first tick comes just after 7:29:58.
    EXPECT_EQ(w.timer1().interval(), 720);
    EXPECT_TRUE(w.timer1().isSingleShot());
    EXPECT_TRUE(w.timer1().isActive());
    // Every control lies inside its frame, and both frames inside the expanded window.
    for (const char* frame : {"Frame1", "Frame2"}) {
        auto* f = child<QGroupBox>(w, frame);
        EXPECT_LE(f->geometry().bottom(), ui::FrmClock::clientHeight(3000)) << frame;
        for (auto* c : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(f->rect().contains(c->geometry())) << c->objectName().toStdString();
    }
    EXPECT_LE(child<QGroupBox>(w, "Frame1")->geometry().bottom(), ui::FrmClock::clientHeight(1800));
}

TEST_F(FrmClockTest, buttons_drive_the_display) {
    ui::FrmClock w(clock, boxes);
    tick(w);
    EXPECT_EQ(child<QLabel>(w, "lblShowTime")->text(), "7:29:58");
    EXPECT_EQ(w.timer1().interval(), 720);
    clock.setNow(QDateTime(QDate(2003, 6, 15), QTime(7, 29, 59, 20)));
    w.onTimer1();
    EXPECT_EQ(w.timer1().interval(), 1000);
    child<QPushButton>(w, "cmdDate")->click();
    EXPECT_EQ(child<QLabel>(w, "lblShowDate")->text(), "2003-6-15");

    child<QPushButton>(w, "cmdTime")->click();
    EXPECT_EQ(child<QPushButton>(w, "cmdTime")->text(), "时间");
    EXPECT_EQ(child<QLabel>(w, "lblShowTime")->text(), "00:00:00");
    child<QPushButton>(w, "cmdStart")->click();
    EXPECT_EQ(child<QPushButton>(w, "cmdStart")->text(), "停止");
    tick(w);
    tick(w);
    EXPECT_EQ(child<QLabel>(w, "lblShowTime")->text(), "0:00:01");
    child<QPushButton>(w, "cmdStart")->click();
    ASSERT_TRUE(child<QPushButton>(w, "cmdCls")->isEnabled());
    child<QPushButton>(w, "cmdCls")->click();
    EXPECT_EQ(child<QLabel>(w, "lblShowTime")->text(), "00:00:00");
}

TEST_F(FrmClockTest, accepted_alarm_hides_the_window_until_it_fires) {
    ui::FrmClock w(clock, boxes);
    child<QPushButton>(w, "cmdAlarm")->click();
    EXPECT_TRUE(child<QGroupBox>(w, "Frame2")->isVisible());
    EXPECT_EQ(w.height(), ui::FrmClock::clientHeight(3000));

    child<QTextEdit>(w, "rtbdate")->setPlainText("2003-6-15");
    child<QTextEdit>(w, "rtbtime")->setPlainText("07:30:00");
    child<QPushButton>(w, "cmdOK")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.height(), ui::FrmClock::clientHeight(1800));
    EXPECT_EQ(loadAlarmText(kTimeFile), "07:30:00");

    tick(w);
    tick(w);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(boxes.shown.empty());
    tick(w);  // 7:30:00.3
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "时间已经到了！");
    EXPECT_EQ(boxes.shown[0].caption, "提醒");
}

TEST_F(FrmClockTest, refused_settings_stay_open_and_alarm_off_box_is_read) {
    ui::FrmClock w(clock, boxes);
    child<QPushButton>(w, "cmdAlarm")->click();
    child<QTextEdit>(w, "rtbtime")->clear();
    child<QPushButton>(w, "cmdOK")->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "你没有填写完整！");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(child<QGroupBox>(w, "Frame2")->isVisible());

    child<QCheckBox>(w, "chkAlarm")->setChecked(true);
    child<QPushButton>(w, "cmdOK")->click();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(child<QGroupBox>(w, "Frame2")->isVisible());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(FrmClockTest, close_button_ends_the_window_and_its_timer) {
    ui::FrmClock w(clock, boxes);
    child<QPushButton>(w, "cmdClose")->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.timer1().isActive());
}

TEST_F(FrmClockTest, boxes_are_named_and_every_caption_fits) {
    ui::FrmClock w(clock, boxes);
    EXPECT_EQ(child<QTextEdit>(w, "rtbdate")->accessibleName(), "日期");
    EXPECT_EQ(child<QTextEdit>(w, "rtbtime")->accessibleName(), "时间");

    // The widest texts each control shows: a two-digit hour, a date late in the year.
    child<QPushButton>(w, "cmdAlarm")->click();
    clock.setNow(QDateTime(QDate(2026, 12, 24), QTime(23, 59, 58, 300)));
    tick(w);
    child<QPushButton>(w, "cmdDate")->click();
    child<QTextEdit>(w, "rtbdate")->setPlainText("2026-12-24");
    child<QTextEdit>(w, "rtbtime")->setPlainText("23:59:59");
    auto fits = [](QWidget* c, const QString& text, QRect room) {
        const QFontMetrics fm(c->font());
        EXPECT_LE(fm.horizontalAdvance(text), room.width()) << c->objectName().toStdString();
        EXPECT_LE(fm.height(), room.height()) << c->objectName().toStdString();
    };
    for (auto* b : w.findChildren<QPushButton*>()) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        fits(b, b->text(), b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b));
    }
    auto* chk = child<QCheckBox>(w, "chkAlarm");
    QStyleOptionButton opt;
    opt.initFrom(chk);
    fits(chk, chk->text(), chk->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, chk));
    for (auto* l : w.findChildren<QLabel*>()) fits(l, l->text(), l->contentsRect());
    for (auto* box : w.findChildren<QTextEdit*>()) {
        QRect room = box->viewport()->rect().adjusted(0, 0, -2 * int(box->document()->documentMargin()),
                                                      -2 * int(box->document()->documentMargin()));
        fits(box, box->toPlainText(), room);
    }
}

TEST_F(FrmClockTest, another_start_shows_the_hidden_window_with_its_boxes_kept) {
    ui::FrmClock w(clock, boxes);
    child<QPushButton>(w, "cmdAlarm")->click();
    child<QTextEdit>(w, "rtbdate")->setPlainText("2003-6-15");
    child<QTextEdit>(w, "rtbtime")->setPlainText("08:00:00");
    child<QPushButton>(w, "cmdOK")->click();
    ASSERT_FALSE(w.isVisible());
    tick(w);
    w.bringForward();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(child<QTextEdit>(w, "rtbtime")->toPlainText(), "08:00:00");
    EXPECT_TRUE(boxes.shown.empty());
}
