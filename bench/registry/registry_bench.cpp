// GetStringValue and SetStringValue per second on stores of 100 and 100,000 values.
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
    std::vector<Slot> slots;

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
            slots.push_back(std::move(s));
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
    for (const Slot& slot : s.slots) order.push_back(&slot);
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

// Each write is one committed transaction (WAL, synchronous=NORMAL): it survives the
// program being killed as soon as the call returns.
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

BENCHMARK(BM_GetStringValue)->Arg(100)->Arg(100000);
BENCHMARK(BM_SetStringValue)->Arg(100)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
