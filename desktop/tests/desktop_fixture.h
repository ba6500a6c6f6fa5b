// Shared pieces of the desktop tests: a data home in the test's folder, icon files
// with pictures told apart by colour, and a registry filled by the real walks.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include "platform/icons/icon_file.h"
#include "platform/icons/writer/icon_writer.h"
#include "desktop/desktop_settings.h"
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

// Settings kept in memory. `refused` places refuse writes; `unkept` ones take them and
// keep nothing (as GSettings does with no bus); `silent` ones answer no read.
class FakeSettings final : public DesktopSettings {
public:
    std::map<QString, QString> values;  // "group key" -> value
    std::set<QString> refused, unkept, silent;
    QStringList writes;                 // "group key value" or "group key (reset)"
    int announcements = 0;

    Reading read(const SettingPlace& place) override {
        if (silent.contains(place.text())) return {};
        auto it = values.find(place.text());
        return {true, it == values.end() ? std::nullopt : std::optional(it->second)};
    }
    bool write(const SettingPlace& place, const std::optional<QString>& value) override {
        writes << place.text() + u' ' + value.value_or(QStringLiteral("(reset)"));
        if (refused.contains(place.text()) || silent.contains(place.text())) return false;
        if (unkept.contains(place.text())) return true;
        if (value)
            values[place.text()] = *value;
        else
            values.erase(place.text());
        return true;
    }
    void announce(const std::vector<SettingPlace>&, bool) override { ++announcements; }
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
