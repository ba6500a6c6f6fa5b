// Shared pieces of the desktop tests: a data home in the test's folder, icon files
// with pictures told apart by colour, and a registry filled by the real walks.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include "platform/icons/icon_file.h"
#include "platform/icons/writer/icon_writer.h"
#include "platform/wallpaper/desktop_wallpaper.h"
#include "registry/general.h"
#include "registry/testing/fake_registry.h"
#include "shellstyle/core/icon_walks.h"

namespace desktop::testing {

namespace fs = std::filesystem;

// A side x side picture in one colour, its top-left pixel transparent.
inline platform::icons::IconPixels picture(int side, std::uint32_t rgb) {
    platform::icons::IconPixels p;
    p.width = p.height = side;
    p.argb.assign(static_cast<std::size_t>(side) * side, 0xFF000000u | rgb);
    p.argb[0] = 0;
    return p;
}

// Colour of icon `g` at `side` pixels in the files below: each size its own.
inline std::uint32_t colourOf(int g, int side) { return (0x0F0000u * static_cast<std::uint32_t>(g + 1)) | static_cast<std::uint32_t>(side); }

inline void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// Runs the tools as told: output and exit code by "program arg arg" prefix.
class ScriptedRunner final : public platform::CommandRunner {
public:
    QStringList calls;  // "program arg arg"
    std::map<QString, std::pair<int, QString>> answers;

    int run(const QString& program, const QStringList& args, QString* output) override {
        const QString call = program + u' ' + args.join(u' ');
        calls << call;
        int code = 0;
        QString out;
        std::size_t best = 0;
        for (const auto& [prefix, answer] : answers)
            if (call.startsWith(prefix) && static_cast<std::size_t>(prefix.size()) >= best) {
                best = static_cast<std::size_t>(prefix.size());
                code = answer.first;
                out = answer.second;
            }
        if (output) *output = out;
        return code;
    }
};

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* base = std::getenv("TMPDIR");
        root = fs::path(base && *base ? base : "/tmp") /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        dataHome = root / "share";
        programFolder = root / "program";
        fs::create_directories(dataHome);
        fs::create_directories(programFolder);
        // A library of 40 icons with 16, 32 and 48 pixel images, as the preset expects.
        std::vector<platform::icons::IconGroupBlobs> groups;
        for (int g = 0; g < 40; ++g) {
            groups.push_back({});
            for (int side : {16, 32, 48})
                groups.back().push_back(platform::icons::encodeDibIcon(picture(side, colourOf(g, side)), 32));
        }
        writeFile(programFolder / "voveredav.icl", platform::icons::writeNeModule(groups, "VOVEREDAV"));
        // Another file: one icon with a 32 pixel image only.
        other = root / "other.ico";
        writeFile(other, platform::icons::writeIcoFile({platform::icons::encodeDibIcon(picture(32, 0x00FF00), 32)}));
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path themeRoot() const { return dataHome / "icons" / "shellstyle-suite"; }
    QImage themePicture(const char* relative) const {
        return QImage(QString::fromStdString((themeRoot() / relative).string())).convertToFormat(QImage::Format_ARGB32);
    }
    static QImage expected(const fs::path& file, int index, int side) {
        return platform::iconImageOfSide(file, index, side).value_or(QImage());
    }
    void preset() { shellstyle::applyXpPreset(reg, QString::fromStdString(programFolder.string())); }
    // Ticks exactly the boxes named and replaces with icon `number` of `file`.
    void replace(std::initializer_list<int> boxes, const fs::path& file, int number) {
        shellstyle::replaceIcons(
            reg, [&](int b) { return std::find(boxes.begin(), boxes.end(), b) != boxes.end(); },
            QString::fromStdString(file.string()), QString::number(number));
    }

    fs::path root, dataHome, programFolder, other;
    registry::testing::FakeRegistry store;
    registry::General reg{store};
};

}  // namespace desktop::testing
