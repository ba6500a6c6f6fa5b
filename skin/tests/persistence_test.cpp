// New, load and save of every kit control against a property bag, in each control's order.
#include <gtest/gtest.h>

#include <QLabel>
#include <memory>

#include "skin/skin_bitmaps.h"
#include "skin/skin_control.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace skin {
namespace {

Ambient ambient(const char* name) {
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    return {QString::fromLatin1(name), font};
}

TEST(persistence_test, new_controls_save_nothing_because_everything_is_a_default) {
    QWidget host;
    for (const char* cls : {kCanvasClass, kCmdButtonClass, kCheckBoxClass, kTopButtonsClass}) {
        QWidget* w = createControl(QString::fromLatin1(cls), &host, ambient("ctl1"));
        ASSERT_NE(w, nullptr) << cls;
        EXPECT_EQ(w->objectName(), QStringLiteral("ctl1"));
        PropertyBag bag;
        persistentControl(w)->WriteProperties(bag, ambient("ctl1"));
        EXPECT_TRUE(bag.names().isEmpty()) << cls << ": " << bag.names().join(',').toStdString();
    }
    EXPECT_EQ(createControl(QStringLiteral("shellstyle.nothing"), &host, ambient("x")), nullptr);
    QLabel plain;
    EXPECT_EQ(persistentControl(&plain), nullptr);
}

TEST(persistence_test, new_controls_show_their_display_name_and_the_container_font) {
    QWidget host;
    auto* button = static_cast<xpcmdbutton*>(createControl(kCmdButtonClass, &host, ambient("cmdOK")));
    EXPECT_EQ(button->Caption(), QStringLiteral("cmdOK"));
    EXPECT_EQ(button->font(), ambient("x").containerFont);
    auto* box = static_cast<xpcheckbox*>(createControl(kCheckBoxClass, &host, ambient("check1")));
    EXPECT_EQ(box->Caption(), QStringLiteral("check1"));
    EXPECT_EQ(box->BackColor(), kSystemButtonFace);
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(236, 233, 216));
}

TEST(persistence_test, saved_properties_come_back_in_the_controls_own_order) {
    QWidget host;
    const Ambient amb = ambient("ctl1");
    QFont other(QStringLiteral("DejaVu Sans"));
    other.setPointSize(14);

    xpcmdbutton button(&host);
    button.InitProperties(amb);
    button.setState(1);
    button.setEnabled(false);
    button.setCaption(QString::fromUtf8("确定"));
    button.setFont(other);
    PropertyBag buttonBag;
    button.WriteProperties(buttonBag, amb);
    EXPECT_EQ(buttonBag.names(), QStringList({"State", "Enabled", "Caption", "Font"}));
    xpcmdbutton buttonCopy(&host);
    buttonCopy.ReadProperties(buttonBag, amb);
    EXPECT_EQ(buttonBag.readLog(), QStringList({"State", "Enabled", "Caption", "Font"}));
    EXPECT_EQ(buttonCopy.State(), 1);
    EXPECT_FALSE(buttonCopy.isEnabled());
    EXPECT_EQ(buttonCopy.Caption(), QString::fromUtf8("确定"));
    EXPECT_EQ(buttonCopy.font().pointSize(), 14);

    xpcheckbox box(&host);
    box.InitProperties(amb);
    box.setValue(2);
    box.setCaption(QStringLiteral("x"));
    box.setEnabled(false);
    box.setFont(other);
    box.setBackColor(oleRgb(1, 2, 3));
    box.setForeColor(oleRgb(4, 5, 6));
    PropertyBag boxBag;
    box.WriteProperties(boxBag, amb);
    EXPECT_EQ(boxBag.names(), QStringList({"Font", "Value", "Caption", "Enabled", "BackColor", "ForeColor"}));
    xpcheckbox boxCopy(&host);
    boxCopy.ReadProperties(boxBag, amb);
    EXPECT_EQ(boxBag.readLog(), QStringList({"Value", "Caption", "Enabled", "Font", "BackColor", "ForeColor"}));
    EXPECT_EQ(boxCopy.Value(), 2);
    EXPECT_EQ(boxCopy.shownCell(), 11);
    EXPECT_EQ(boxCopy.ForeColor(), oleRgb(4, 5, 6));
    EXPECT_EQ(boxCopy.palette().color(QPalette::Window), QColor(1, 2, 3));

    xp_canvas frame(&host);
    frame.InitProperties(amb);
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::green);
    frame.setIcon(icon);
    frame.setFixed_Single(true);
    frame.setCaption(QString::fromUtf8("信息"));
    PropertyBag frameBag;
    frame.WriteProperties(frameBag, amb);
    EXPECT_EQ(frameBag.names(), QStringList({"Caption", "Icon", "Fixed_Single"}));
    xp_canvas frameCopy(&host);
    frameCopy.ReadProperties(frameBag, amb);
    EXPECT_EQ(frameBag.readLog(), QStringList({"Caption", "Icon", "Fixed_Single"}));
    EXPECT_EQ(frameCopy.Icon(), icon);
    EXPECT_TRUE(frameCopy.Fixed_Single());
    EXPECT_EQ(host.windowTitle(), QString::fromUtf8("信息"));
}

TEST(persistence_test, an_empty_bag_loads_the_defaults) {
    QWidget host;
    const Ambient amb = ambient("cmdexit");
    auto* button = static_cast<xpcmdbutton*>(loadControl(kCmdButtonClass, &host, PropertyBag(), amb));
    EXPECT_EQ(button->State(), 0);
    EXPECT_EQ(button->Caption(), QStringLiteral("cmdexit"));
    auto* frame = static_cast<xp_canvas*>(loadControl(kCanvasClass, &host, PropertyBag(), amb));
    EXPECT_TRUE(frame->iconIsDefault());
    EXPECT_FALSE(frame->Fixed_Single());
}

TEST(persistence_test, a_loaded_caption_button_value_waits_for_the_next_refresh) {
    QWidget host;
    PropertyBag bag(QVariantMap{{"Value", 2}, {"Enabled", false}});
    auto* b = static_cast<xptopbuttons*>(loadControl(kTopButtonsClass, &host, bag, ambient("xpclose")));
    EXPECT_EQ(b->Value(), 2);
    EXPECT_EQ(b->glyphIndex(), 0);
    EXPECT_EQ(b->shownLook(), GlyphLook::Disabled);
    host.show();  // first shown: the look follows the value
    EXPECT_EQ(b->glyphIndex(), 2);
    PropertyBag saved;
    b->WriteProperties(saved, ambient("xpclose"));
    EXPECT_EQ(saved.toMap(), bag.toMap());
}

}  // namespace
}  // namespace skin
