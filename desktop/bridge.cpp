// Bringing the store's icon choices and switches onto the running desktop.
#include "desktop/bridge.h"

#include <set>
#include <sstream>

#include <QFile>
#include <QProcess>

#include "desktop/icon_choices.h"
#include "desktop/icon_theme_setting.h"
#include "desktop/switch_settings.h"
#include "desktop/theme_folder.h"
#include "platform/data_dir.h"
#include "platform/safe_file.h"

namespace desktop {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kRecordCap = 64 * 1024;

BridgeResult failure(std::string reason) { return {false, std::move(reason)}; }

// A theme name fit for index.theme's Inherits list.
bool plainThemeName(const QString& name) {
    for (QChar c : name)
        if (c == u',' || c == u'\n' || c == u'\r' || c == u'[' || c == u']' || c == u'/' || c.unicode() < 0x20)
            return false;
    return name != QString::fromLatin1(kThemeName);
}

// Appends each call to a log file and answers success with no output.
class LoggingRunner final : public platform::CommandRunner {
public:
    explicit LoggingRunner(QString log) : log_(std::move(log)) {}
    int run(const QString& program, const QStringList& args, QString* output) override {
        if (output) output->clear();
        QFile file(log_);
        if (!file.open(QIODevice::Append | QIODevice::Text)) return -1;
        file.write((program + u' ' + args.join(u' ') + u'\n').toUtf8());
        return 0;
    }

private:
    QString log_;
};

template <class Run>
BridgeResult inSession(Run run) {
    const platform::Environment environment = platform::processEnvironment();
    const fs::path dataHome = platform::suiteDataDir().parent_path();
    if (const QString log = environment("SUITE_DESKTOP_LOG"); !log.isEmpty()) {
        LoggingRunner runner(log);
        Bridge bridge(environment, runner, dataHome);
        return run(bridge);
    }
    platform::ProcessRunner runner;
    Bridge bridge(environment, runner, dataHome);
    return run(bridge);
}

}  // namespace

Bridge::Bridge(platform::Environment environment, platform::CommandRunner& runner, fs::path dataHome)
    : environment_(std::move(environment)), runner_(runner), dataHome_(std::move(dataHome)) {}

fs::path Bridge::rememberedThemeFile() const { return dataHome_ / "shellstyle-suite" / "icon-theme-before"; }
fs::path Bridge::switchRecordFile() const { return dataHome_ / "shellstyle-suite" / "desktop-switches"; }

platform::DesktopKind Bridge::desktop() const {
    const auto kinds = platform::currentDesktops(environment_);
    return kinds.empty() ? platform::DesktopKind::Unknown : kinds.front();
}

BridgeResult Bridge::applyIcons(registry::General& reg) {
    const IconChoices choices = readIconChoices(reg, platform::programDir());
    const std::vector<ThemePicture> pictures = themePictures(choices);
    // Said rather than left for the user to wonder why an icon stayed as it was.
    const std::vector<std::string> missing = missingIconFiles(choices);
    const BridgeResult done = missing.empty() ? BridgeResult{}
                                              : failure("the chosen icon file " + missing.front() + " is missing" +
                                                        (missing.size() > 1 ? " (and " + std::to_string(missing.size() - 1) + " more)" : ""));
    ThemeFolder folder(dataHome_);
    IconThemeSetting setting(desktop(), runner_);
    const QString ours = QString::fromLatin1(kThemeName);

    // What the desktop named before the suite's theme: "theme=<name>", empty for its default.
    std::optional<QString> before;
    const platform::ReadResult remembered = platform::readRegularFile(rememberedThemeFile(), kRecordCap);
    if (remembered.status == platform::ReadStatus::Ok && remembered.bytes.starts_with("theme="))
        before = QString::fromUtf8(remembered.bytes.substr(6)).trimmed();

    const std::optional<QString> current = setting.current();
    std::string error;

    if (pictures.empty()) {
        // Nothing chosen: the desktop goes back to its theme first, then the folder goes.
        if (desktop() != platform::DesktopKind::Unknown) {
            if (!current)
                return failure("the desktop's settings service did not answer: the suite's icon theme stays in use");
            if (*current == ours && !(before && !before->isEmpty() ? setting.set(*before) : setting.reset()))
                return failure("the desktop's settings service refused the earlier icon theme");
        }
        std::error_code ec;
        fs::remove(rememberedThemeFile(), ec);
        if (!folder.remove(&error)) return failure(error);
        return done;
    }

    // Whatever the desktop names now, if not the suite's theme, is the one to go back to.
    if (current && *current != ours) {
        // Named back as it is; only a name fit for index.theme is inherited from.
        before = current->contains(u'\n') ? QString() : *current;
        std::error_code ec;
        fs::create_directories(rememberedThemeFile().parent_path(), ec);
        if (!platform::writeFileAtomically(rememberedThemeFile(), "theme=" + before->toStdString() + "\n", &error))
            return failure("cannot remember the earlier icon theme: " + error);
    }

    QStringList inherits;
    if (before && !before->isEmpty() && plainThemeName(*before)) inherits << *before;
    if (!folder.write(pictures, inherits, &error)) return failure(error);

    if (desktop() == platform::DesktopKind::Unknown)
        return failure("no known desktop in XDG_CURRENT_DESKTOP: the icon theme is written but not in use");
    if (!current) return failure("the desktop's settings service did not answer: the icon theme is written but not in use");
    if (!setting.set(ours)) return failure("the desktop's settings service refused the icon theme");
    return done;
}

BridgeResult Bridge::applySwitches(const systune::SwitchStates& states, bool fromStore) {
    if (desktop() != platform::DesktopKind::Gnome) return {};  // the counterparts are GNOME's settings

    std::set<std::string> setBySuite;
    const platform::ReadResult record = platform::readRegularFile(switchRecordFile(), kRecordCap);
    if (record.status == platform::ReadStatus::Ok) {
        std::istringstream lines(record.bytes);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) setBySuite.insert(line);
    }

    BridgeResult result;
    const auto settings = switchSettings();
    for (std::size_t row = 0; row < settings.size(); ++row) {
        const SwitchSetting& s = settings[row];
        if (s.schema.empty() || (fromStore && !s.storeHoldsState)) continue;
        const QString schema = QString::fromLatin1(s.schema.data(), static_cast<qsizetype>(s.schema.size()));
        const QString key = QString::fromLatin1(s.key.data(), static_cast<qsizetype>(s.key.size()));
        const std::string id = std::string(s.schema) + " " + std::string(s.key);
        int code = 0;
        if (states[row]) {
            code = runner_.run(QStringLiteral("gsettings"),
                               {QStringLiteral("set"), schema, key,
                                QString::fromLatin1(s.whenTicked.data(), static_cast<qsizetype>(s.whenTicked.size()))},
                               nullptr);
            if (code == 0) setBySuite.insert(id);
        } else if (setBySuite.contains(id)) {
            code = runner_.run(QStringLiteral("gsettings"), {QStringLiteral("reset"), schema, key}, nullptr);
            if (code == 0) setBySuite.erase(id);
        }
        if (code != 0 && result.ok)
            result = failure(code == -1 ? "gsettings could not be started"
                                        : "the desktop's settings service refused " + id);
    }

    std::string lines;
    for (const std::string& id : setBySuite) lines += id + "\n";
    std::string error;
    std::error_code ec;
    fs::create_directories(switchRecordFile().parent_path(), ec);
    if (!platform::writeFileAtomically(switchRecordFile(), lines, &error) && result.ok)
        result = failure("cannot record the switches set: " + error);
    return result;
}

BridgeResult refreshIcons(registry::General& reg) {
    return inSession([&](Bridge& bridge) { return bridge.applyIcons(reg); });
}

BridgeResult refreshSwitches(const systune::SwitchStates& states, bool fromStore) {
    return inSession([&](Bridge& bridge) { return bridge.applySwitches(states, fromStore); });
}

}  // namespace desktop

namespace desktop {

bool applyInBackground(const fs::path& programFolder) {
    return QProcess::startDetached(QFile::decodeName((programFolder / "shellstyle-apply").c_str()), {});
}

}  // namespace desktop
