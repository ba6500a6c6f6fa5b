// Widget tests of the custom kernel dialog.
#include "imagefx/ui/form3.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace imagefx::ui {
namespace {

TEST(Form3, UnusableEntryKeepsTheDialogOpenWithTheBoxSelected) {
    FilterSettings settings;
    Form3 dialog(settings, nullptr);
    dialog.show();
    dialog.Text2->setText("0");
    dialog.Command1->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Text2->selectedText(), "0");
    EXPECT_FALSE(settings.FilterOk);

    dialog.Text2->setText("4");
    dialog.Text1[7]->setText("99999");
    dialog.Command1->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Text1[7]->selectedText(), "99999");

    dialog.Text1[7]->setText("-2.5");
    dialog.Command1->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(settings.FilterOk);
    EXPECT_EQ(settings.FilterDivide, 4);
    EXPECT_EQ(settings.FilterKernel[3][2], -2);
    EXPECT_FALSE(dialog.unloaded());
}

TEST(Form3, EscapeCancelsButTheCloseBoxLeavesFilterOk) {
    FilterSettings settings;
    settings.FilterOk = true;
    Form3 dialog(settings, nullptr);
    dialog.show();
    dialog.close();
    EXPECT_TRUE(settings.FilterOk);
    EXPECT_TRUE(dialog.unloaded());

    Form3 again(settings, nullptr);
    again.show();
    again.reject();  // what the Escape key does
    EXPECT_FALSE(settings.FilterOk);
    EXPECT_FALSE(again.isVisible());
    EXPECT_FALSE(again.unloaded());
}

}  // namespace
}  // namespace imagefx::ui
