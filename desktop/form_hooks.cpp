// Wiring the forms' hooks to the desktop queue.
#include "desktop/form_hooks.h"

#include <QCheckBox>

#include "shellstyle/ui/xpfg.h"
#include "systune/ui/reg.h"

namespace desktop {

void handIconsToDesktop(shellstyle::ui::xpfg& form, registry::General& reg, DesktopQueue& queue,
                        platform::MessageBoxes& boxes) {
    form.afterIconWalk = [&form, &reg, &queue, &boxes] {
        queue.showIcons(readIconChoices(reg), false, &form, [&boxes](const BridgeResult& r) {
            if (!r.ok && r.desktopKnown)
                boxes.show(QStringLiteral("桌面未能换上这些图标：") + QString::fromStdString(r.reason),
                           QStringLiteral("shellstyle Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        });
    };
}

void handSwitchesToDesktop(systune::ui::reg& form, registry::General& reg, DesktopQueue& queue,
                           platform::MessageBoxes& boxes) {
    form.afterSave = [&form, &queue, &boxes](const systune::SwitchStates& saved) {
        DesiredSwitches wanted;
        for (std::size_t i = 0; i < saved.size(); ++i) wanted[i] = saved[i];
        queue.showSwitches(wanted, &form, [&boxes](const BridgeResult& r) {
            if (!r.ok && r.desktopKnown)
                boxes.show(QStringLiteral("桌面未能随之更改：") + QString::fromStdString(r.reason),
                           QStringLiteral("systune Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        });
    };
    const DesiredSwitches stored = storedSwitches(reg);
    queue.readSwitches(&form, [&form, stored](const DesiredSwitches& onDesktop) {
        for (std::size_t i = 0; i < stored.size(); ++i)
            if (!stored[i] && onDesktop[i] == true) form.box(i)->setChecked(true);
    });
}

}  // namespace desktop
