// The shell items whose icons the program changes: the 23 check boxes of the main
// window and the 26 registry writes (IconTargets) that replace, preset and restore walk.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace shellstyle {

// One check box of the main window. Positions are twips (15 per pixel).
struct IconBox {
    std::string_view name;     // control name, e.g. "check1(3)"
    std::string_view caption;  // UTF-8
    int left;
    int top;
    int width;
};

inline constexpr int kIconBoxCount = 23;
inline constexpr int kIconBoxHeight = 255;  // twips

// The boxes in grid order (row by row, left to right).
std::span<const IconBox, kIconBoxCount> iconBoxes();

// Index into iconBoxes() of the box named `name`, or -1.
int iconBoxIndex(std::string_view name);

// One registry write of IconTargets.
struct IconTarget {
    int box;                    // index into iconBoxes()
    std::string_view key;       // full key path
    std::string_view valueName; // empty: the key's default value
    int presetIcon;             // icon number in the shipped library for the XP look
    bool createKeyFirst;        // false only where the row follows one on the same key
};

inline constexpr int kIconTargetCount = 26;

// The rows in the order every walk writes them.
std::span<const IconTarget, kIconTargetCount> iconTargets();

}  // namespace shellstyle
