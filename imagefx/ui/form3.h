// Form3: the dialog for the custom 3x3 kernel, its divisor and its offset.
#pragma once

#include <array>

#include <QDialog>

#include "imagefx/core/custom_kernel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace imagefx::ui {

class Form3 final : public QDialog {
public:
    Form3(FilterSettings& settings, QWidget* owner);

    // OK: stores the entries and hides the dialog; an unusable entry keeps it open with
    // that box selected.
    void Command1_Click();
    // Cancel (also the Escape key): FilterOk = false and hide.
    void Command2_Click();

    // True once the window's close box was used: the owner then discards the dialog.
    bool unloaded() const { return unloaded_; }

    std::array<QLineEdit*, 9> Text1{};
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;  // the refused entry, in one line
    QPushButton* Command1;
    QPushButton* Command2;

    // The Escape key; the close box passes through here too.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    KernelEntries entries() const;
    QLineEdit* box(int index) const;

    FilterSettings& settings_;
    bool closing_ = false;
    bool unloaded_ = false;
};

}  // namespace imagefx::ui
