// Wiring the forms' hooks to the desktop queue.
#include "desktop/form_hooks.h"

#include <memory>

#include <QCheckBox>

#include "platform/data_dir.h"

#include "shellstyle/ui/xpfg.h"
#include "systune/ui/reg.h"

namespace desktop {

void handIconsToDesktop(shellstyle::ui::xpfg& form, registry::General& reg, DesktopQueue& queue,
                        platform::MessageBoxes& boxes) {
    form.afterIconWalk = [&form, &reg, &queue, &boxes] {
        queue.showIcons(readIconChoices(reg, platform::programDir()), false, &form, [&boxes](const BridgeResult& r) {
            if (!r.ok && r.desktopKnown)
                boxes.show(QStringLiteral("桌面未能换上这些图标：") + QString::fromStdString(r.reason),
                           QStringLiteral("shellstyle Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        });
    };
}

void handSwitchesToDesktop(systune::ui::reg& form, registry::General& reg, DesktopQueue& queue,
                           platform::MessageBoxes& boxes) {
    // Filled in on the window's thread when the desktop answers, read there at each save.
    auto shown = std::make_shared<ShownFromDesktop>();
    form.afterSave = [&form, &queue, &boxes, shown](const systune::SwitchStates& saved) {
        DesiredSwitches wanted;
        for (std::size_t i = 0; i < saved.size(); ++i) wanted[i] = saved[i];
        queue.showSwitches(wanted, *shown, &form, [&boxes](const BridgeResult& r) {
            if (!r.ok && r.desktopKnown)
                boxes.show(QStringLiteral("桌面未能随之更改：") + QString::fromStdString(r.reason),
                           QStringLiteral("systune Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        });
    };
    const DesiredSwitches stored = storedSwitches(reg);
    queue.readSwitches(&form, [&form, stored, shown](const DesiredSwitches& onDesktop) {
        for (std::size_t i = 0; i < stored.size(); ++i) {
            if (stored[i] || !onDesktop[i]) continue;
            (*shown)[i] = true;
            if (*onDesktop[i]) form.box(i)->setChecked(true);
        }
    });
}

}  // namespace desktop
