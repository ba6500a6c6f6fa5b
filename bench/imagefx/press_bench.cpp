// The time of a whole filter button press (filter, "Very.bmp" written, result shown) on
// 1600x1200 and 3000x1000 pictures, next to the filter alone and the progress window alone.
// Runs the real main window on Qt's offscreen platform.
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "bench/imagefx/bench_picture.h"
#include "imagefx/core/run_frame.h"
#include "imagefx/ui/form1.h"
#include "imagefx/ui/form2.h"
#include "imagefx/ui/picture_io.h"
#include "platform/testing/fake_dialogs.h"
#include "platform/wallpaper/recording_wallpaper.h"

namespace {

using namespace imagefx;

struct Window {
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeFileDialogs dialogs;
    platform::testing::RecordingWallpaper wallpaper;
    DefaultUniformSource random;
    std::unique_ptr<ui::Form1> form;
};

std::string sizeName(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();

    std::vector<std::unique_ptr<Window>> windows;
    for (auto [w, h] : {std::pair{1600, 1200}, std::pair{3000, 1000}}) {
        const Picture picture = bench::photoLike(w, h);
        const std::string size = sizeName(w, h);
        const auto file = folder / (size + ".bmp");
        ui::writeBmp(picture, file);

        auto win = std::make_unique<Window>();
        win->form = std::make_unique<ui::Form1>(ui::Form1Services{
            win->boxes, win->dialogs, win->wallpaper, win->random, FilePlaces(folder, folder)});
        win->form->show();
        win->dialogs.results.push_back(QString::fromStdString(file.string()));
        win->form->ComOpen_Click();
        ui::Form1* form = win->form.get();

        for (int n = 0; n < 6; ++n) {
            const char* names[] = {"soften", "sharpen", "emboss", "engrave", "diffuse", "exposure"};
            benchmark::RegisterBenchmark(("press/" + std::string(names[n]) + "/" + size).c_str(),
                                         [form, n](benchmark::State& s) {
                                             for (auto _ : s) form->Command1_Click(n);
                                         })
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("filter_only/" + std::string(names[n]) + "/" + size).c_str(),
                                         [form, n](benchmark::State& s) {
                                             Picture work = form->workImage();
                                             DefaultUniformSource random;
                                             RunExtras extras;
                                             extras.random = &random;
                                             for (auto _ : s) runFilter(presetFilters()[n], form->planes(), work, extras);
                                         })
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("progress_window/" + size).c_str(),
                                     [form, h](benchmark::State& s) {
                                         ui::Form2& progress = *form->progressForm();
                                         for (auto _ : s) {
                                             progress.showRunning(QStringLiteral("正在柔化图像..."));
                                             ProgressMeter meter(h, &progress);
                                             for (int y = 1; y < h - 1; ++y) meter.rowDone(y);
                                             progress.hide();
                                         }
                                     })
            ->Unit(benchmark::kMillisecond);
        windows.push_back(std::move(win));
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
