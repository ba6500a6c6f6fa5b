// Every caption of every window fits its control, in the fonts and styles the programs use.
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <gtest/gtest.h>

#include "imagefx/ui/form1.h"
#include "imagefx/ui/form2.h"
#include "imagefx/ui/form3.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "platform/testing/recording_restart.h"
#include "platform/wallpaper/recording_wallpaper.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "shellstyle/tests/fake_icon_pictures.h"
#include "shellstyle/ui/frm_splash.h"
#include "shellstyle/ui/frmmsg.h"
#include "shellstyle/ui/xpfg.h"
#include "systune/ui/reg.h"
#include "timekeeper/ui/frm_clock.h"
#include "typedrill/ui/form1.h"

namespace {

namespace fs = std::filesystem;

// The pixels a one-line text needs when laid out in `layout`: the full advance across,
// and from the top to the bottom of its glyphs' ink down (line spacing may be cut).
QRect inked(const QWidget* w, const QString& text, QRect layout) {
    const QFontMetrics fm = w->fontMetrics();
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    const QRect ink = fm.tightBoundingRect(shown);
    if (ink.isEmpty())
        return {};
    return QRect(layout.x(), layout.y() + fm.ascent() + ink.top(), layout.width(), ink.height());
}

// Where a widget's fixed text is drawn, in the widget's own pixels; empty when the
// widget shows no fixed text.
QRect textRect(QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    const auto placed = [&](Qt::Alignment align, const QString& text, QRect room) {
        const QRect layout =
            QStyle::alignedRect(w->layoutDirection(), align, fm.size(Qt::TextShowMnemonic, text), room);
        return inked(w, text, layout);
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return {};
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                          -label->margin());
        if (label->wordWrap())
            return QRect(room.topLeft(), QSize(room.width(), label->heightForWidth(room.width())));
        return placed(label->alignment(), label->text(), room);
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        if (button->text().isEmpty())
            return {};
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
        return placed(Qt::AlignCenter, button->text(), room);
    }
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
        return placed(Qt::AlignLeft | Qt::AlignVCenter, box->text(), room);
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (group->title().isEmpty())
            return {};
        QStyleOptionGroupBox opt;
        opt.initFrom(group);
        opt.text = group->title();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        opt.textAlignment = group->alignment();
        const QRect room = group->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, group);
        return placed(Qt::AlignCenter, group->title(), room);
    }
    return {};
}

// Says which captions of `window` are cut off: by their own control or by anything
// they sit in. A menu bar item that does not fit would drop into the overflow.
// Returns how many captions were looked at.
int expectCaptionsFit(QWidget* window) {
    SCOPED_TRACE(window->objectName().toStdString() + " " + window->metaObject()->className());
    window->show();  // layouts and menu bars settle when shown
    QCoreApplication::processEvents();
    int captions = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(window))
            continue;
        if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions())
                EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(a)))
                    << a->text().toStdString() << " at " << bar->actionGeometry(a).x() << " in "
                    << bar->width();
            continue;
        }
        const QRect text = textRect(w);
        if (text.isEmpty())
            continue;
        ++captions;
        const std::string name = (w->objectName() + " \"" + w->property("text").toString() +
                                  w->property("title").toString() + "\"")
                                     .toStdString();
        EXPECT_TRUE(w->rect().contains(text)) << name << " needs " << text.width() << "x" << text.height()
                                              << " at " << text.x() << "," << text.y() << ", has "
                                              << w->width() << "x" << w->height();
        for (QWidget* outer = w->parentWidget(); outer && outer != window->parentWidget();
             outer = outer->parentWidget()) {
            const QRect inOuter(w->mapTo(outer, text.topLeft()), text.size());
            EXPECT_TRUE(outer->rect().contains(inOuter))
                << name << " is cut by " << outer->objectName().toStdString() << " at " << inOuter.x() << ","
                << inOuter.y() << " " << inOuter.width() << "x" << inOuter.height();
            if (outer->isWindow())
                break;
        }
    }
    return captions;
}

class CaptionsFit : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("captions-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeFileDialogs dialogs;
    platform::testing::RecordingRestart restart;
    platform::testing::FakeClock clock;
};

TEST_F(CaptionsFit, shellstyle_windows) {
    registry::SqliteStore store(dir / "registry.db");
    registry::General general(store);
    shellstyle::testing::FakeIconPictures icons;
    shellstyle::ui::Seams seams{boxes, dialogs, restart, clock, general, icons, QString(), {}, {}};
    shellstyle::ui::frmSplash splash(clock, boxes, [] {});
    expectCaptionsFit(&splash);
    shellstyle::ui::xpfg main(seams);
    EXPECT_GT(expectCaptionsFit(&main), 0);
    main.About_Click();
    ASSERT_NE(main.messageWindow(), nullptr);
    EXPECT_GT(expectCaptionsFit(main.messageWindow()), 0);
    main.messageWindow()->close();
}

TEST_F(CaptionsFit, systune_window) {
    // systune draws in the plain grey style.
    QStyle* previous = QApplication::style();
    const QString previousName = previous->name();
    ASSERT_NE(QApplication::setStyle(QStringLiteral("Windows")), nullptr);
    {
        registry::SqliteStore store(dir / "registry.db");
        registry::General general(store);
        systune::ui::reg form(general, boxes, restart);
        EXPECT_GT(expectCaptionsFit(&form), 0);
    }
    QApplication::setStyle(previousName);
}

TEST_F(CaptionsFit, imagefx_windows) {
    platform::testing::RecordingWallpaper wallpaper;
    imagefx::DefaultUniformSource random;
    imagefx::ui::Form1 form(imagefx::ui::Form1Services{
        boxes, dialogs, wallpaper, random, imagefx::FilePlaces(dir / "bin", dir / "data", [](const fs::path&) {
            return true;
        })});
    EXPECT_GT(expectCaptionsFit(&form), 0);
    imagefx::ui::Form2 progress(&form);
    expectCaptionsFit(&progress);
    imagefx::FilterSettings settings;
    imagefx::ui::Form3 kernel(settings, &form);
    EXPECT_GT(expectCaptionsFit(&kernel), 0);
}

TEST_F(CaptionsFit, typedrill_and_timekeeper_windows) {
    typedrill::ui::Form1 drill(boxes, clock, fs::path(qgetenv("SUITE_BIN_DIR").toStdString()));
    EXPECT_GT(expectCaptionsFit(&drill), 0);
    timekeeper::ui::FrmClock clockWindow(clock, boxes);
    EXPECT_GT(expectCaptionsFit(&clockWindow), 0);
}

}  // namespace
