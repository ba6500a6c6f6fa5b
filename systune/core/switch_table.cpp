// The switch table: sixteen Explorer policies, then six shell tweaks.
#include "systune/core/switch_table.h"

namespace systune {
namespace {

constexpr std::string_view kPolicyKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Policy boxes stand in two columns of eight, 360 twips apart.
constexpr Switch policy(int index, std::string_view caption, std::string_view valueName) {
    return {Frame::Prohibitions, index, caption, {kPolicyKey, {}}, valueName, Kind::Number,
            TickRule::ReadEquals, number(1), number(1), deleteValue(),
            index < 8 ? 120 : 2160, 360 + 360 * (index % 8)};
}

// Tweak boxes stand in three rows of two.
constexpr int tweakLeft(int index) { return index % 2 == 0 ? 120 : 2160; }
constexpr int tweakTop(int index) { return 240 + 360 * (index / 2); }

constexpr Switch tweak(int index, std::string_view caption, std::array<std::string_view, 2> keys,
                       std::string_view valueName, Kind kind, TickRule rule, Data tested, Data ticked,
                       Data clear, bool keyMayBeMissing = false) {
    return {Frame::Tweaks, index, caption, keys, valueName, kind, rule, tested, ticked, clear,
            tweakLeft(index), tweakTop(index), keyMayBeMissing};
}

// The CD auto-run key names one particular drive instance; elsewhere it does not exist.
constexpr std::string_view kCdDriveKey =
    "HKEY_LOCAL_MACHINE\\Enum\\SCSI\\ASUS____CD-S400/A_______2\\"
    "MF&CHILD0001&PCI&VEN_1106&DEV_0571&SUBSYS_00000000&REV_06&BUS_00&DEV_07&FUNC_0110";

// Byte-string data is text, one byte per character: "00 00 00 00" is eleven bytes.
constexpr std::array<Switch, kSwitchCount> kSwitches = {
    policy(0, "禁止[开始]关闭系统", "NoClose"),
    policy(1, "禁止[开始]文档记录", "NoRecentDocsHistory"),
    policy(2, "禁止[开始]收藏夹", "NoFavoritesMenu"),
    policy(3, "禁用[开始]文档", "NoRecentDocsMenu"),
    policy(4, "禁用[开始]查找", "NoFind"),
    policy(5, "禁用[开始]运行", "NoRun"),
    policy(6, "禁用[开始]注销", "NoLogOff"),
    policy(7, "禁止[网上邻居]图标", "NoNetHood"),
    policy(8, "禁止保存桌面设置", "NoSaveSetting"),
    policy(9, "禁止右键菜单", "NoViewContextMenu"),
    policy(10, "禁止任务栏右键", "NoTrayContextMenu"),
    policy(11, "禁止[设置]任务栏属性", "NoSetTaskbar"),
    policy(12, "禁止[设置]文件夹选项", "NoFolderOptions"),
    policy(13, "禁止[设置]活动桌面", "NoSetActiveDesktop"),
    policy(14, "禁止[设置]WindowsUpdate", "NoWindowsUpdate"),
    policy(15, "禁止修改开始菜单", "NoChangeStartMenu"),

    // Shortcut arrows are off while "IsShortcut" is absent from both shortcut classes.
    tweak(0, "删除快捷方式的箭头", {"HKEY_CLASSES_ROOT\\lnkfile", "HKEY_CLASSES_ROOT\\piffile"},
          "IsShortcut", Kind::Text, TickRule::ReadDiffers, text(""), deleteValue(), text("")),
    tweak(1, "删除[快捷方式]文字",
          {"HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", {}}, "link",
          Kind::Bytes, TickRule::ReadEquals, text("00 00 00 00"), text("00 00 00 00"), text("1e 00 00 00")),
    tweak(2, "禁止窗口动画效果", {"HKEY_CURRENT_USER\\Control Panel\\desktop\\WindowMetrics", {}},
          "MinAnimate", Kind::Text, TickRule::ReadEquals, text("0"), text("0"), text("1")),
    tweak(3, "禁止Windows平滑卷动", {"HKEY_CURRENT_USER\\Control Panel\\desktop", {}}, "SmoothScroll",
          Kind::Number, TickRule::ReadEquals, number(1), number(1), number(0)),
    tweak(4, "提高软驱读取速度",
          {"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\fdc\\0000", {}}, "ForeFifo",
          Kind::Number, TickRule::ReadEquals, number(0), number(0), number(1)),
    tweak(5, "禁止光盘自动运行", {kCdDriveKey, {}}, "AutoInsertNotification", Kind::Bytes,
          TickRule::ReadEquals, text("00"), text("00"), text("01"), true),
};

}  // namespace

const std::array<Switch, kSwitchCount>& switchTable() { return kSwitches; }

}  // namespace systune
