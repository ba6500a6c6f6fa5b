// Time from the XP preset in the store to the icon theme built and named on the
// desktop: the bridge's whole job after a press, with the settings store in memory.
// Run from the build's bin/ folder, which holds voveredav.icl.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <unistd.h>

#include "desktop/bridge.h"
#include "platform/data_dir.h"
#include "registry/general.h"
#include "registry/testing/fake_registry.h"
#include "shellstyle/core/icon_walks.h"

namespace {

namespace fs = std::filesystem;

class MemorySettings final : public desktop::DesktopSettings {
public:
    desktop::Reading read(const desktop::SettingPlace& p) override {
        auto it = values_.find(p.text());
        return {true, it == values_.end() ? std::nullopt : std::optional(it->second)};
    }
    bool write(const desktop::SettingPlace& p, const std::optional<QString>& v) override {
        if (v) values_[p.text()] = *v; else values_.erase(p.text());
        return true;
    }

private:
    std::map<QString, QString> values_;
};

void BM_XpLookToDesktop(benchmark::State& state) {
    const fs::path data = fs::temp_directory_path() / ("xp-look-bench-" + std::to_string(::getpid()));
    registry::testing::FakeRegistry store;
    registry::General reg(store);
    shellstyle::applyXpPreset(reg, QString::fromStdString(platform::programDir().string()));
    const desktop::IconChoices choices = desktop::readIconChoices(reg);
    MemorySettings settings;
    const auto gnome = [](const char* v) { return QString::fromLatin1(v) == u"XDG_CURRENT_DESKTOP" ? QStringLiteral("GNOME") : QString(); };
    desktop::Bridge bridge(gnome, settings, data);
    const bool fresh = state.range(0) == 0;
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            fs::remove_all(data);
            state.ResumeTiming();
        }
        if (!bridge.applyIcons(choices, false).ok) state.SkipWithError("the theme was not made: is voveredav.icl beside the bench?");
    }
    fs::remove_all(data);
}
// 0: no theme yet (the first press); 1: the theme is there and is made again.
BENCHMARK(BM_XpLookToDesktop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
