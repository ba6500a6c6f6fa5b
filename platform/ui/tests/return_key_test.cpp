// Return and Enter on a plain window's push buttons: the focused one, else the default.
#include "platform/ui/return_key.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

TEST(return_key, presses_the_focused_button_else_the_default_and_only_in_its_window) {
    QWidget window, other;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* first = new QPushButton("first", &window);
    auto* byDefault = new QPushButton("default", &window);
    layout->addWidget(edit);
    layout->addWidget(first);
    layout->addWidget(byDefault);
    auto* outside = new QPushButton("outside", &other);
    platform::ui::pressButtonsOnReturn(&window);
    QStringList pressed;
    for (QPushButton* b : {first, byDefault, outside})
        QObject::connect(b, &QPushButton::clicked, [&pressed, b] { pressed << b->text(); });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QTest::keyClick(first, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(first, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(pressed, (QStringList{"first", "first"}));

    // From the line edit: nothing without a default button, then the default.
    pressed.clear();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    byDefault->setDefault(true);
    QTest::keyClick(edit, Qt::Key_Return);
    byDefault->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(outside, Qt::Key_Return);
    EXPECT_EQ(pressed, QStringList{"default"});
}
