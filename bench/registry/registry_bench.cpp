// GetStringValue and SetStringValue per second on stores of 100 and 100,000 values, and
// the time of one user action kept durably as one batch: a systune save (23 writes)
// and the XP icon preset (26 rows).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "shellstyle/core/icon_walks.h"
#include "systune/core/apply_switches.h"

namespace {

constexpr int kValuesPerKey = 100;

struct Slot {
    std::string key;
    std::string name;
};

// One store of `size` values spread over keys of 100 values each, built once per run.
struct BenchStore {
    std::filesystem::path dir;
    std::unique_ptr<registry::SqliteStore> store;
    std::unique_ptr<registry::General> general;
    std::vector<Slot> entries;

    explicit BenchStore(int size) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/registry-bench-XXXXXX";
        dir = mkdtemp(pattern.data());
        store = std::make_unique<registry::SqliteStore>(dir / "registry.db");
        general = std::make_unique<registry::General>(*store);
        for (int i = 0; i < size; ++i) {
            Slot s{"HKEY_CURRENT_USER\\Software\\Bench\\Key" + std::to_string(i / kValuesPerKey),
                   "Value" + std::to_string(i % kValuesPerKey)};
            if (i % kValuesPerKey == 0) general->CreateKey(s.key);
            general->SetStringValue(s.key, s.name, "C:\\WINDOWS\\SYSTEM\\shell32.dll," + std::to_string(i));
            entries.push_back(std::move(s));
        }
    }
    ~BenchStore() {
        general.reset();
        store.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

BenchStore& storeOf(int size) {
    static std::map<int, std::unique_ptr<BenchStore>> stores;
    auto& s = stores[size];
    if (!s) s = std::make_unique<BenchStore>(size);
    return *s;
}

// Slots in a random order, so the large store is read all over rather than in one spot.
std::vector<const Slot*> shuffled(const BenchStore& s) {
    std::vector<const Slot*> order;
    for (const Slot& slot : s.entries) order.push_back(&slot);
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    return order;
}

void BM_GetStringValue(benchmark::State& state) {
    BenchStore& s = storeOf(static_cast<int>(state.range(0)));
    auto order = shuffled(s);
    size_t i = 0;
    for (auto _ : state) {
        const Slot* slot = order[i++ % order.size()];
        registry::TextRead r = s.general->GetStringValue(slot->key, slot->name);
        if (!r.hasValue()) state.SkipWithError("a value was missing");
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
}

// Each write is one committed transaction (WAL, synchronous=FULL): it is on disk,
// surviving a kill or a power cut, as soon as the call returns.
void BM_SetStringValue(benchmark::State& state) {
    BenchStore& s = storeOf(static_cast<int>(state.range(0)));
    auto order = shuffled(s);
    size_t i = 0;
    for (auto _ : state) {
        const Slot* slot = order[i % order.size()];
        s.general->SetStringValue(slot->key, slot->name, "C:\\WINDOWS\\new.icl," + std::to_string(i++));
        if (s.general->lastWriteOutcome() != registry::General::WriteOutcome::Written)
            state.SkipWithError("a write failed");
    }
    state.SetItemsProcessed(state.iterations());
}

// One save of all 22 switches: 16 policy values, "IsShortcut" twice, 5 tweaks.
void BM_SystuneSave(benchmark::State& state) {
    BenchStore& s = storeOf(100);
    systune::SwitchStates states{};
    for (auto _ : state) {
        for (std::size_t i = 0; i < states.size(); ++i) states[i] = !states[i];
        systune::ApplyReport report = systune::applySwitches(*s.general, states);
        // The CD drive's key is absent from a fresh store; every other write must land.
        if (report.commitStatus != registry::ERROR_SUCCESS || report.refused.size() > 1)
            state.SkipWithError("the save was not kept");
    }
}

void BM_XpPreset(benchmark::State& state) {
    BenchStore& s = storeOf(100);
    int i = 0;
    for (auto _ : state) {
        QString folder = QStringLiteral("/opt/shellstyle-%1").arg(i++ % 2);
        if (shellstyle::applyXpPreset(*s.general, folder) != shellstyle::WalkOutcome::Written)
            state.SkipWithError("the preset was not kept");
    }
}

BENCHMARK(BM_GetStringValue)->Arg(100)->Arg(100000);
BENCHMARK(BM_SetStringValue)->Arg(100)->Arg(100000);
// Wall time: most of a durable save is waiting for the disk.
BENCHMARK(BM_SystuneSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XpPreset)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
