// Standard icons made on first paint look like the wrapped style's own.
#include "platform/ui/lazy_icon_style.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

TEST(lazy_icon_style, icons_drawn_late_match_the_wrapped_style) {
    platform::ui::LazyIconStyle lazy(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning,
                      QStyle::SP_DialogOkButton}) {
        auto widget = std::make_unique<QToolButton>();
        const QIcon late = lazy.standardIcon(icon, nullptr, widget.get());
        widget.reset();  // the widget asked for may be gone by the first paint
        EXPECT_FALSE(late.isNull());
        EXPECT_EQ(late.pixmap(16).toImage(), fusion->standardIcon(icon).pixmap(16).toImage()) << icon;
    }
    // A menu bar built under it still draws its overflow arrow.
    QMainWindow window;
    window.setStyle(&lazy);
    auto* extension = window.menuBar()->findChild<QToolButton*>();
    ASSERT_NE(extension, nullptr);
    EXPECT_FALSE(extension->icon().pixmap(16).toImage().isNull());
}
