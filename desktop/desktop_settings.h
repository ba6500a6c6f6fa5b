// The desktop's settings stores as the bridge reads and writes them; tests put their own in.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>

namespace desktop {

// Where a setting is kept.
enum class SettingsStore {
    GSettings,   // `group` is the schema, `key` the key; values are GVariant text
    Xfconf,      // `group` is the channel, `key` the property; values are GVariant text
    Kdeglobals,  // `group` is the file's group, `key` the entry; values are the entry's text
};

struct SettingPlace {
    SettingsStore store;
    QString group;
    QString key;

    QString text() const { return group + u' ' + key; }  // for messages
    friend bool operator==(const SettingPlace&, const SettingPlace&) = default;
};

struct Reading {
    bool answered = false;         // false: the store could not be reached or has no such setting
    std::optional<QString> value;  // the user's value; nothing when the default is in force
};

class DesktopSettings {
public:
    virtual ~DesktopSettings() = default;

    virtual Reading read(const SettingPlace& place) = 0;
    // Sets `value`, or with nothing goes back to the default. True when the store
    // took the request; only a read afterwards says whether it is in force.
    virtual bool write(const SettingPlace& place, const std::optional<QString>& value) = 0;
    // Tells the running programs that listen for it (Plasma's) that these settings
    // changed; `icons` when the icon theme is among them.
    virtual void announce(const std::vector<SettingPlace>& changed, bool icons) {
        (void)changed;
        (void)icons;
    }
    // One line on why the last read or write failed; empty when it did not.
    virtual std::string problem() const { return {}; }
};

}  // namespace desktop
