// Form1: the preset filter buttons and the custom kernel.
#include <QPushButton>

#include "imagefx/core/run_frame.h"
#include "imagefx/ui/form1.h"
#include "imagefx/ui/form2.h"
#include "imagefx/ui/form3.h"

namespace imagefx::ui {

void Form1::Command1_Click(int Index) {
    if (Index < 0 || Index >= static_cast<int>(presetFilters().size())) return;
    apply(FormEvent::Filtered);
    form2_->setWindowTitle(progressCaption(presetFilters()[Index]));
    Glasses(Index);
    Setbmp();
}

void Form1::Glasses(int n) { runFrame(presetFilters()[n]); }

void Form1::runFrame(const FilterRow& row) {
    form2_->showRunning(form2_->windowTitle());
    RunExtras extras;
    extras.progress = form2_;
    extras.random = &services_.random;
    extras.custom = &settings_;
    runFilter(row, planes_, workImage_, extras);
    form2_->hide();
}

void Form1::Custom1_Click() {
    if (!form3_) {
        form3_ = new Form3(settings_, this);
        form3_->setWindowIcon(windowIcon());
    }
    form3_->exec();
    if (form3_->unloaded()) {
        form3_->deleteLater();
        form3_ = nullptr;
    }
    if (!settings_.FilterOk) return;
    form2_->setWindowTitle(progressCaption(customFilter()));
    runFrame(customFilter());
    Setbmp();
    apply(FormEvent::Filtered);
}

}  // namespace imagefx::ui
