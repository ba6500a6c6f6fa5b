// The check box grid and the IconTargets table.
#include "shellstyle/core/icon_targets.h"

namespace shellstyle {
namespace {

constexpr std::string_view kShellIcons =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr std::string_view kMyComputer =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";
constexpr std::string_view kPrinters =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}\\DefaultIcon";
constexpr std::string_view kRun =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\DefaultIcon";
constexpr std::string_view kMyDocuments =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\DefaultIcon";
constexpr std::string_view kRecycleBin =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
constexpr std::string_view kBrowser =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{871C5380-42A0-1069-A2EA-08002B30309D}\\DefaultIcon";
constexpr std::string_view kControlPanel =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon";
constexpr std::string_view kBriefcase =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}\\DefaultIcon";

// Columns at 120, 1560 and 3000 twips; the last column is narrower. Each box reaches
// to 2 pixels short of the next column (or the frame's border) so that a five-character
// caption after the 32-pixel box column is not cut off in the 9-point form font.
constexpr int L0 = 120, L1 = 1560, L2 = 3000;
constexpr int W0 = 1410, W1 = 1410, W2 = 1320;

constexpr std::array<IconBox, kIconBoxCount> kBoxes{{
    {"check1(0)", "硬盘符号", L0, 1920, W0},
    {"check1(1)", "软盘符号", L1, 1920, W1},
    {"check1(2)", "光盘符号", L2, 1920, W2},
    {"check1(3)", "我的电脑", L0, 2280, W0},
    {"checkmydocu", "我的文档", L1, 2280, W1},
    {"check1(4)", "Dos 文件", L2, 2280, W2},
    {"checkdel", "回收站空", L0, 2640, W0},
    {"checkdel1", "回收站满", L1, 2640, W1},
    {"checkie", "浏览器", L2, 2640, W2},
    {"checkcontrol", "控制面板", L0, 3000, W0},
    {"check1(5)", "未知文件", L1, 3000, W1},
    {"checkbao", "公文包", L2, 3000, W2},
    {"check1(6)", "文 件 夹", L0, 3360, W0},
    {"check1(7)", "打开文件夹", L1, 3360, W1},
    {"check1(8)", "打印机", L2, 3360, W2},
    {"check1(9)", "程    序", L0, 4080, W0},
    {"check1(10)", "文    档", L1, 4080, W1},
    {"check1(11)", "设    置", L2, 4080, W2},
    {"check1(12)", "查    找", L0, 4440, W0},
    {"check1(13)", "帮    助", L1, 4440, W1},
    {"check1(14)", "运    行", L2, 4440, W2},
    {"check1(15)", "注    销", L0, 4800, W0},
    {"check1(16)", "关闭系统", L1, 4800, W1},
}};

constexpr int box(std::string_view name) {
    for (int i = 0; i < kIconBoxCount; ++i)
        if (kBoxes[i].name == name) return i;
    throw "unknown check box";  // only reached while compiling the table
}

constexpr std::array<IconTarget, kIconTargetCount> kTargets{{
    {box("check1(0)"), kShellIcons, "8", 30, true},
    {box("check1(1)"), kShellIcons, "6", 29, true},
    {box("check1(2)"), kShellIcons, "11", 37, true},
    {box("check1(3)"), kShellIcons, "15", 7, true},
    {box("check1(3)"), kMyComputer, "", 7, true},
    {box("check1(4)"), kShellIcons, "2", 36, true},
    {box("check1(5)"), kShellIcons, "0", 26, true},
    {box("check1(6)"), kShellIcons, "3", 27, true},
    {box("check1(7)"), kShellIcons, "4", 28, true},
    {box("check1(8)"), kPrinters, "", 38, true},
    {box("check1(9)"), kShellIcons, "19", 33, true},
    {box("check1(10)"), kShellIcons, "20", 8, true},
    {box("check1(11)"), kShellIcons, "21", 32, true},
    {box("check1(12)"), kShellIcons, "22", 19, true},
    {box("check1(13)"), kShellIcons, "23", 20, true},
    {box("check1(14)"), kRun, "", 25, true},
    {box("check1(14)"), kShellIcons, "24", 25, true},
    {box("check1(15)"), kShellIcons, "44", 22, true},
    {box("check1(16)"), kShellIcons, "27", 23, true},
    {box("checkmydocu"), kMyDocuments, "", 8, true},
    {box("checkdel"), kRecycleBin, "", 10, true},
    {box("checkdel"), kRecycleBin, "Empty", 10, false},
    {box("checkdel1"), kRecycleBin, "Full", 11, true},
    {box("checkie"), kBrowser, "", 14, true},
    {box("checkcontrol"), kControlPanel, "", 6, true},
    {box("checkbao"), kBriefcase, "", 24, true},
}};

}  // namespace

std::span<const IconBox, kIconBoxCount> iconBoxes() { return kBoxes; }

int iconBoxIndex(std::string_view name) {
    for (int i = 0; i < kIconBoxCount; ++i)
        if (kBoxes[i].name == name) return i;
    return -1;
}

std::span<const IconTarget, kIconTargetCount> iconTargets() { return kTargets; }

}  // namespace shellstyle
