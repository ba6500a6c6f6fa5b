// Bringing the store's icon choices and switches onto the running desktop, each
// setting read back after it is written.
#include "desktop/bridge.h"

#include <set>
#include <sstream>

#include "desktop/icon_theme_setting.h"
#include "desktop/switch_settings.h"
#include "desktop/theme_folder.h"
#include "platform/safe_file.h"
#include "systune/core/load_switches.h"

namespace desktop {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kRecordCap = 64 * 1024;

BridgeResult failure(std::string reason) { return {false, std::move(reason)}; }

QString latin1(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// A value as a message shows it: on one line, and short whatever the store gave.
QString shown(const std::optional<QString>& value) {
    if (!value) return QStringLiteral("the default");
    QString text = value->left(80);
    for (QChar& c : text)
        if (c.unicode() < 0x20) c = u' ';
    return value->size() > 80 ? text + QStringLiteral("...") : text;
}

// Writes `text` to `file` unless it holds it already (a read-only data folder then
// still serves a run that changes nothing there).
bool keep(const fs::path& file, const std::string& text, std::string* error) {
    const platform::ReadResult now = platform::readRegularFile(file, kRecordCap);
    if (now.status == platform::ReadStatus::Ok && now.bytes == text) return true;
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return platform::writeFileAtomically(file, text, error);
}

}  // namespace

bool plainThemeName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u".." || name.size() > 255) return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || c == u'\x7f' || QStringLiteral(",[]/\\'\"").contains(c)) return false;
    return name != QString::fromLatin1(kThemeName);
}

Bridge::Bridge(platform::Environment environment, DesktopSettings& settings, fs::path dataHome)
    : environment_(std::move(environment)), settings_(settings), dataHome_(std::move(dataHome)) {}

fs::path Bridge::rememberedThemeFile() const { return dataHome_ / "shellstyle-suite" / "icon-theme-before"; }
fs::path Bridge::switchRecordFile() const { return dataHome_ / "shellstyle-suite" / "desktop-switches"; }

platform::DesktopKind Bridge::desktop() const {
    const auto kinds = platform::currentDesktops(environment_);
    return kinds.empty() ? platform::DesktopKind::Unknown : kinds.front();
}

std::string Bridge::problem(const char* otherwise) const {
    const std::string p = settings_.problem();
    return p.empty() ? otherwise : p;
}

BridgeResult Bridge::put(const SettingPlace& place, const std::optional<QString>& value, const QString& undone) {
    if (!settings_.write(place, value))
        return failure("the desktop refused " + place.text().toStdString() + ": " + problem("no reason given"));
    const Reading back = settings_.read(place);
    if (!back.answered)
        return failure(place.text().toStdString() + " cannot be read back: " + problem("no answer"));
    // A reset is in force once the suite's value is gone: xfconf answers with the
    // system's default (Xfce ships some) rather than with none.
    const bool kept = value ? back.value == value : back.value != undone;
    if (!kept)
        return failure(place.text().toStdString() + " is " + shown(back.value).toStdString() + " after being set to " +
                       shown(value).toStdString());
    return {};
}

BridgeResult Bridge::applyIcons(const IconChoices& choices, bool atLogin) {
    if (!dataHome_.is_absolute()) return failure("no data folder: HOME and XDG_DATA_HOME are not set");
    const std::vector<ThemePicture> pictures = themePictures(choices);
    // Said rather than left for the user to wonder why an icon stayed as it was.
    const std::vector<std::string> missing = missingIconFiles(choices);
    const BridgeResult done = missing.empty() ? BridgeResult{}
                                              : failure("the chosen icon file " + missing.front() + " is missing" +
                                                        (missing.size() > 1 ? " (and " + std::to_string(missing.size() - 1) + " more)" : ""));
    ThemeFolder folder(dataHome_);
    const QString ours = QString::fromLatin1(kThemeName);
    const std::optional<SettingPlace> place = iconThemePlace(desktop());

    // What the desktop named before the suite's theme: "theme=<name>\n", an empty name
    // for its default. Anything else in the file is not taken for a name.
    bool haveRecord = false;
    QString before;
    const platform::ReadResult remembered = platform::readRegularFile(rememberedThemeFile(), kRecordCap);
    if (remembered.status == platform::ReadStatus::Ok) {
        haveRecord = true;
        const std::string& b = remembered.bytes;
        if (b.starts_with("theme=") && b.ends_with('\n') && b.find('\n') == b.size() - 1) {
            const QString name = QString::fromUtf8(b.substr(6, b.size() - 7));
            if (plainThemeName(name)) before = name;
        }
    }

    // The theme named now; nothing while the desktop's default is in force.
    Reading reading;
    std::optional<QString> current;
    if (place) {
        reading = settings_.read(*place);
        if (reading.answered && reading.value)
            current = themeNameOf(place->store, *reading.value).value_or(*reading.value);
    }
    std::string error;

    if (pictures.empty()) {
        // Nothing chosen: the desktop goes back to its theme first, then the folder goes.
        if (place) {
            if (!reading.answered)
                return failure(problem("the desktop's settings did not answer") + ": the suite's icon theme stays in use");
            if (current == ours) {
                const std::optional<QString> back =
                    before.isEmpty() ? std::nullopt : std::optional(storedThemeName(place->store, before));
                if (BridgeResult r = put(*place, back, storedThemeName(place->store, ours)); !r.ok) return r;
                settings_.announce({*place}, true);
            }
        }
        std::error_code ec;
        fs::remove(rememberedThemeFile(), ec);
        if (!folder.remove(&error)) return failure(error);
        return done;
    }

    // A theme the user named since is left alone; the default in force is no choice of
    // theirs (a fresh or reset settings store), so the theme is put back then.
    if (atLogin && haveRecord && current && *current != ours && *current != before) return {};

    // Whatever the desktop names now, if not the suite's theme, is the one to go back to.
    if (reading.answered && current != ours) {
        before = current && plainThemeName(*current) ? *current : QString();
        if (!keep(rememberedThemeFile(), "theme=" + before.toStdString() + "\n", &error))
            return failure("cannot remember the earlier icon theme: " + error);
    }

    QStringList inherits;
    if (!before.isEmpty()) inherits << before;
    if (!folder.write(pictures, inherits, &error)) return failure(error);

    if (!place) {
        BridgeResult r = failure("no known desktop in XDG_CURRENT_DESKTOP: the icon theme is written but not in use");
        r.desktopKnown = false;
        return r;
    }
    if (!reading.answered)
        return failure(problem("the desktop's settings did not answer") + ": the icon theme is written but not in use");
    if (BridgeResult r = put(*place, storedThemeName(place->store, ours)); !r.ok) return r;
    settings_.announce({*place}, true);
    return done;
}

BridgeResult Bridge::applySwitches(const DesiredSwitches& wanted, const ShownFromDesktop& shown) {
    if (!dataHome_.is_absolute()) return failure("no data folder: HOME and XDG_DATA_HOME are not set");
    const platform::DesktopKind kind = desktop();
    std::set<std::string> setBySuite;
    const platform::ReadResult record = platform::readRegularFile(switchRecordFile(), kRecordCap);
    if (record.status == platform::ReadStatus::Ok) {
        std::istringstream lines(record.bytes);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) setBySuite.insert(line);
    }

    BridgeResult result;
    std::vector<SettingPlace> changed;
    const auto& table = systune::switchTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const SwitchSetting* s = switchSetting(table[row].valueName, kind);
        if (!s || !wanted[row]) continue;
        const SettingPlace place = s->place();
        const std::string id = place.text().toStdString();
        BridgeResult r;
        if (*wanted[row]) {
            r = put(place, latin1(s->whenTicked));
            if (r.ok) setBySuite.insert(id);
        } else if (setBySuite.contains(id) || shown[row]) {
            r = put(place, std::nullopt, latin1(s->whenTicked));
            if (r.ok) setBySuite.erase(id);
        } else {
            continue;
        }
        changed.push_back(place);
        if (!r.ok && result.ok) result = r;
    }
    if (!changed.empty()) settings_.announce(changed, false);

    std::string lines;
    for (const std::string& id : setBySuite) lines += id + "\n";
    std::string error;
    if (!keep(switchRecordFile(), lines, &error) && result.ok)
        result = failure("cannot record the switches set: " + error);
    return result;
}

DesiredSwitches Bridge::desktopSwitches() {
    DesiredSwitches states{};
    const auto& table = systune::switchTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const SwitchSetting* s = switchSetting(table[row].valueName, desktop());
        if (!s) continue;
        const Reading r = settings_.read(s->place());
        if (r.answered) states[row] = r.value == latin1(s->whenTicked);
    }
    return states;
}

DesiredSwitches storedSwitches(registry::General& reg) {
    const systune::SwitchStates loaded = systune::loadSwitches(reg);
    DesiredSwitches wanted{};
    const auto& table = systune::switchTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const systune::Switch& s = table[row];
        bool held = true;
        if (s.keyMayBeMissing) {
            const std::string_view key = s.keyPaths[0];
            held = s.kind == systune::Kind::Number ? !reg.GetDwordValue(key, s.valueName).isError()
                   : s.kind == systune::Kind::Text ? !reg.GetStringValue(key, s.valueName).isError()
                                                   : !reg.GetBinaryValue(key, s.valueName).isError();
        }
        if (held) wanted[row] = loaded[row];
    }
    return wanted;
}

}  // namespace desktop
