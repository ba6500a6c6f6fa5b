// Speed of counting and drawing icons in a large (several MB) resource DLL.
#include "platform/icons/icon_file.h"
#include "platform/icons/writer/icon_writer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

constexpr int kGroups = 300;                  // each with 16, 32 and 48 pixel images
constexpr std::size_t kBulk = 4 * 1024 * 1024;  // other resources, bytes

platform::icons::IconPixels picture(int side, std::uint32_t seed) {
    platform::icons::IconPixels p;
    p.width = p.height = side;
    for (int i = 0; i < side * side; ++i) p.argb.push_back(0xFF000000u | (seed * 2654435761u + static_cast<std::uint32_t>(i) * 40503u));
    return p;
}

// Written once per run into the temporary folder, removed at exit.
const std::filesystem::path& largeDll() {
    static const std::filesystem::path path = [] {
        std::vector<platform::icons::IconGroupBlobs> groups;
        for (int g = 0; g < kGroups; ++g) {
            platform::icons::IconGroupBlobs group;
            for (int side : {16, 32, 48}) group.push_back(platform::icons::encodeDibIcon(picture(side, std::uint32_t(g)), 32));
            groups.push_back(std::move(group));
        }
        auto bytes = platform::icons::writePeModule(groups, {false, kBulk});
        auto file = std::filesystem::temp_directory_path() / ("icon-bench-" + std::to_string(::getpid()) + ".dll");
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::atexit([] { std::filesystem::remove(largeDll()); });
        return file;
    }();
    return path;
}

void BM_CountIcons(benchmark::State& state) {
    const auto& dll = largeDll();
    for (auto _ : state) benchmark::DoNotOptimize(platform::iconCount(dll));
    state.counters["file_MB"] = double(std::filesystem::file_size(dll)) / (1024 * 1024);
}
BENCHMARK(BM_CountIcons)->Unit(benchmark::kMicrosecond);

void BM_DrawIcon(benchmark::State& state) {
    const auto& dll = largeDll();
    const int index = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(platform::iconImage(dll, index));
}
BENCHMARK(BM_DrawIcon)->Arg(0)->Arg(kGroups - 1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
