#include <QDialogButtonBox>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/ui/fonts.h"

TEST(qt_translation, stock_buttons_speak_chinese_in_any_locale) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(platform::ui::installQtTranslation());

    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text(), QStringLiteral("打开"));

    QMessageBox question(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                         QMessageBox::Yes | QMessageBox::No);
    EXPECT_FALSE(question.button(QMessageBox::Yes)->text().contains(QStringLiteral("Yes")));
}
