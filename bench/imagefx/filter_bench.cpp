// Filter engine speed on a 1600x1200 picture, each filter against OpenCV's filter2D with
// the same 3x3 weights on an 8-bit, 3-channel image, both on one thread. Prints
// "ratio_vs_opencv <filter> <our time / OpenCV time> <row loop build>" after the timings
// (the build is AVX-512, AVX2 or baseline, as the loader picked it), and the memory
// floor: reading the three planes once and writing the picture once, which the
// single-neighbour and per-pixel rules (emboss, engrave, exposure) should approach.
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/imagefx/bench_picture.h"
#include "imagefx/core/row_loop.h"
#include "imagefx/core/run_frame.h"

#ifdef IMAGEFX_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using namespace imagefx;

constexpr int kW = 1600, kH = 1200;

struct Case {
    const char* name;
    const FilterRow* row;
    std::array<float, 9> weights;  // the same weights for filter2D, reading order
    float delta;
    FilterSettings custom;
};

FilterSettings kernelOf(std::array<int, 9> w, int divide) {
    FilterSettings s;
    for (int i = 0; i < 9; ++i) s.FilterKernel[1 + i / 3][1 + i % 3] = static_cast<std::int16_t>(w[i]);
    s.FilterDivide = static_cast<std::int16_t>(divide);
    s.FilterOk = true;
    return s;
}

std::vector<Case> cases() {
    const auto p = presetFilters();
    const float n = 1.0f / 9;
    return {
        {"soften", &p[0], {n, n, n, n, n, n, n, n, n}, 0, {}},
        {"sharpen", &p[1], {-0.5f, 0, 0, 0, 1.5f, 0, 0, 0, 0}, 0, {}},
        {"emboss", &p[2], {0, 0, 0, 0, 1, 0, 0, 0, -1}, 128, {}},
        {"engrave", &p[3], {-1, 0, 0, 0, 1, 0, 0, 0, 0}, 128, {}},
        // A per-pixel rule: its 3x3 weights are the identity.
        {"exposure", &p[5], {0, 0, 0, 0, 1, 0, 0, 0, 0}, 0, {}},
        {"custom_identity", &customFilter(), {0, 0, 0, 0, 1, 0, 0, 0, 0}, 0,
         kernelOf({0, 0, 0, 0, 1, 0, 0, 0, 0}, 1)},
        {"custom_mean", &customFilter(), {n, n, n, n, n, n, n, n, n}, 0,
         kernelOf({1, 1, 1, 1, 1, 1, 1, 1, 1}, 9)},
        {"custom_edges", &customFilter(), {-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0,
         kernelOf({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 1)},
    };
}

const Picture& opened() {
    static const Picture p = bench::photoLike(kW, kH);
    return p;
}

void ours(benchmark::State& state, Case c) {
    Planes planes;
    loadPlanes(opened(), planes, nullptr);
    Picture work = opened();
    RunExtras extras;
    extras.custom = &c.custom;
    for (auto _ : state) {
        runFilter(*c.row, planes, work, extras);
        benchmark::DoNotOptimize(work.bits());
        benchmark::ClobberMemory();
    }
}

// The least any filter does: every plane byte read once, every pixel written once.
IMAGEFX_ROW_LOOP
void packPlanes(const std::uint8_t* __restrict r, const std::uint8_t* __restrict g,
                const std::uint8_t* __restrict b, std::size_t count, std::uint32_t* __restrict out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = 0xff000000u | (static_cast<std::uint32_t>(r[i]) << 16) |
                 (static_cast<std::uint32_t>(g[i]) << 8) | b[i];
}

void floor(benchmark::State& state) {
    Planes planes;
    loadPlanes(opened(), planes, nullptr);
    Picture work = opened();
    for (auto _ : state) {
        packPlanes(planes.PlaneR.data(), planes.PlaneG.data(), planes.PlaneB.data(),
                   planes.PlaneR.size(), work.bits());
        benchmark::DoNotOptimize(work.bits());
        benchmark::ClobberMemory();
    }
}

#ifdef IMAGEFX_BENCH_OPENCV
void opencv(benchmark::State& state, Case c) {
    cv::setNumThreads(1);
    cv::Mat src(kH, kW, CV_8UC3);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t px = opened().at(x, y);
            src.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uchar>(blueOf(px)),
                                                static_cast<uchar>(greenOf(px)),
                                                static_cast<uchar>(redOf(px)));
        }
    cv::Mat kernel(3, 3, CV_32F, c.weights.data());
    cv::Mat dst(kH, kW, CV_8UC3);
    for (auto _ : state) {
        cv::filter2D(src, dst, -1, kernel, cv::Point(-1, -1), c.delta, cv::BORDER_DEFAULT);
        benchmark::DoNotOptimize(dst.data);
        benchmark::ClobberMemory();
    }
}
#endif

// Keeps the best processor time per iteration of each benchmark over its rounds (both
// sides run on one thread; the least disturbed round is the fairest), besides printing
// as usual.
class Collector final : public benchmark::ConsoleReporter {
public:
    // Without colours, so the ratio lines below start clean.
    Collector() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.iterations <= 0) continue;
            const double t = r.cpu_accumulated_time / static_cast<double>(r.iterations);
            const std::string name = r.run_name.function_name;
            auto it = seconds.find(name);
            if (it == seconds.end() || t < it->second) seconds[name] = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<Case> all = cases();
    // Rounds of every filter on both sides, so that a busy spell of the machine falls on
    // both alike; the best round of each side counts.
    constexpr int kRounds = 7;
    for (int round = 0; round < kRounds; ++round) {
        benchmark::RegisterBenchmark("floor/read_planes_write_picture", floor)
            ->Unit(benchmark::kMillisecond);
        for (const Case& c : all) {
            benchmark::RegisterBenchmark((std::string("ours/") + c.name).c_str(), ours, c)
                ->Unit(benchmark::kMillisecond);
#ifdef IMAGEFX_BENCH_OPENCV
            benchmark::RegisterBenchmark((std::string("opencv/") + c.name).c_str(), opencv, c)
                ->Unit(benchmark::kMillisecond);
#endif
        }
    }
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    const auto floorTime = collector.seconds.find("floor/read_planes_write_picture");
    const bool haveFloor = floorTime != collector.seconds.end();
    if (haveFloor)
        std::printf("memory_floor read_planes_write_picture %.2f ms\n", floorTime->second * 1e3);
#ifdef IMAGEFX_BENCH_OPENCV
    for (const Case& c : all) {
        const auto ourTime = collector.seconds.find(std::string("ours/") + c.name);
        const auto theirTime = collector.seconds.find(std::string("opencv/") + c.name);
        if (ourTime == collector.seconds.end() || theirTime == collector.seconds.end()) continue;
        std::printf("ratio_vs_opencv %s %.3f  %s  (%.2f ms / %.2f ms)", c.name,
                    ourTime->second / theirTime->second, rowLoopBuild(), ourTime->second * 1e3,
                    theirTime->second * 1e3);
        if (haveFloor)
            std::printf("  %.2fx the memory floor", ourTime->second / floorTime->second);
        std::printf("\n");
    }
#else
    std::printf("OpenCV was not found at build time: no ratios (see scripts/bench-imagefx.sh)\n");
#endif
    return 0;
}
