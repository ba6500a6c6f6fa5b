#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "platform/ui/fonts.h"

// The installed name must draw what a request for "宋体" draws, and the default font
// must follow it, or a form and its empty boxes would take two faces.
TEST(fonts, song_font_is_the_face_songti_resolves_to_and_the_default_follows) {
    const QFont songti(QStringLiteral("宋体"), 9);
    const QFont named = platform::ui::songFont(9);
    EXPECT_EQ(QFontInfo(named).family(), QFontInfo(songti).family());
    EXPECT_EQ(QFontInfo(named).pixelSize(), QFontInfo(songti).pixelSize());
    EXPECT_EQ(QFontMetrics(named).horizontalAdvance(QStringLiteral("总共输入：")),
              QFontMetrics(songti).horizontalAdvance(QStringLiteral("总共输入：")));
    EXPECT_EQ(QApplication::font().families(), named.families());
    EXPECT_EQ(QApplication::font().pointSize(), 9);
}
