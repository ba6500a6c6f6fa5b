// Which of the main window's buttons are enabled after each kind of event.
#pragma once

#include <array>

namespace imagefx {

enum class ButtonGroup {
    Open,       // ComOpen
    Presets,    // Command1(0..5)
    Custom,     // Custom1
    Save,       // Save
    Flips,      // Command2(0), Command2(1)
    Wallpaper,  // Command2(2)
};
inline constexpr int kButtonGroups = 6;

enum class FormEvent {
    Start,     // the window is loaded
    Opened,    // a picture was opened and taken on
    Refused,   // a picture was too large
    Filtered,  // a preset or the custom kernel ran
    Flipped,   // any of the Command2 buttons was pressed
};

class Enabling {
public:
    Enabling() { apply(FormEvent::Start); }
    void apply(FormEvent event);
    bool enabled(ButtonGroup g) const { return on_[static_cast<int>(g)]; }

private:
    std::array<bool, kButtonGroups> on_{};
};

}  // namespace imagefx
