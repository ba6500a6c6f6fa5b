// Widget tests of the custom kernel dialog.
#include "imagefx/ui/form3.h"

#include <QLabel>
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

    EXPECT_EQ(dialog.Label3->text(), QStringLiteral("第3行第2列的权值超出范围"));

    // Every refusal names its entry in a line that shows whole.
    const QFontMetrics metrics(dialog.Label3->font());
    for (auto [entry, text] : {std::pair{dialog.Text3, "1e999"}, {dialog.Text2, "-40000"}, {dialog.Text1[0], "1e999"}}) {
        const QString before = entry->text();
        entry->setText(QString::fromLatin1(text));
        dialog.Command1->click();
        EXPECT_TRUE(dialog.isVisible()) << text;
        EXPECT_EQ(entry->selectedText(), QString::fromLatin1(text));
        EXPECT_LE(metrics.horizontalAdvance(dialog.Label3->text()), dialog.Label3->contentsRect().width());
        entry->setText(before);
    }
    EXPECT_EQ(settings.FilterDivide, 0);  // nothing stored by a refusal

    dialog.Text1[7]->setText("-2.5");
    dialog.Command1->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Label3->text().isEmpty());
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
