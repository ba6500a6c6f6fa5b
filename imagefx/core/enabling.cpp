// The enabling table of the main window.
#include "imagefx/core/enabling.h"

namespace imagefx {

namespace {

struct EnablingRow {
    FormEvent event;
    ButtonGroup group;
    bool enabled;
};

// Groups an event does not name keep their state.
constexpr EnablingRow kRows[] = {
    {FormEvent::Start, ButtonGroup::Open, true},
    {FormEvent::Start, ButtonGroup::Presets, false},
    {FormEvent::Start, ButtonGroup::Custom, false},
    {FormEvent::Start, ButtonGroup::Save, false},
    {FormEvent::Start, ButtonGroup::Flips, false},
    {FormEvent::Start, ButtonGroup::Wallpaper, false},
    {FormEvent::Opened, ButtonGroup::Presets, true},
    {FormEvent::Opened, ButtonGroup::Custom, true},
    {FormEvent::Opened, ButtonGroup::Flips, true},
    {FormEvent::Opened, ButtonGroup::Wallpaper, true},
    {FormEvent::Refused, ButtonGroup::Presets, false},
    {FormEvent::Refused, ButtonGroup::Custom, false},
    {FormEvent::Refused, ButtonGroup::Save, false},
    {FormEvent::Filtered, ButtonGroup::Save, true},
    {FormEvent::Filtered, ButtonGroup::Wallpaper, true},
    {FormEvent::Flipped, ButtonGroup::Wallpaper, true},
};

}  // namespace

void Enabling::apply(FormEvent event) {
    for (const EnablingRow& row : kRows)
        if (row.event == event) on_[static_cast<int>(row.group)] = row.enabled;
}

}  // namespace imagefx
