// The 22 tuning switches: which box, which registry value, what it reads and writes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace systune {

// The two frames of the form and their box arrays.
enum class Frame {
    Prohibitions,  // Frame1, boxes Check1(0..15)
    Tweaks,        // Frame2, boxes Check2(0..5)
};

// How a value is stored and so which read and write operations serve it.
enum class Kind {
    Number,  // 32-bit number: GetDwordValue / SetDwordValue
    Text,    // text: GetStringValue / SetStringValue
    Bytes,   // byte string carried as text, one character per byte
};

// Data a switch writes or tests for. A write may also delete the value.
struct Data {
    enum class Form { Delete, Number, Text };
    Form form = Form::Delete;
    std::int32_t number = 0;
    std::string_view text;
};

constexpr Data deleteValue() { return {}; }
constexpr Data number(std::int32_t n) { return {Data::Form::Number, n, {}}; }
constexpr Data text(std::string_view t) { return {Data::Form::Text, 0, t}; }

// When a box is ticked at load: every key's read equals `tested`, or every key's
// read differs from it ("Error" equals nothing, so it counts as differing).
enum class TickRule { ReadEquals, ReadDiffers };

struct Switch {
    Frame frame;
    int index;  // index in its box array
    std::string_view caption;
    std::array<std::string_view, 2> keyPaths;  // full key paths; the second is empty for one key
    std::string_view valueName;
    Kind kind;
    TickRule rule;
    Data tested;
    Data whenTicked;  // written for a ticked box
    Data whenClear;   // written for a clear box
    int left;         // design position inside the frame, twips
    int top;
    // The key names one machine's device, so its absence is expected: writes that
    // find it missing have no effect and are not a failed save.
    bool keyMayBeMissing = false;

    std::size_t keyCount() const { return keyPaths[1].empty() ? 1 : 2; }
};

inline constexpr std::size_t kSwitchCount = 22;
inline constexpr std::size_t kProhibitionCount = 16;
inline constexpr std::size_t kTweakCount = 6;

// Check1(0..15) then Check2(0..5): the order the load and apply sequences walk.
const std::array<Switch, kSwitchCount>& switchTable();

// A box's state, in table order.
using SwitchStates = std::array<bool, kSwitchCount>;

}  // namespace systune
