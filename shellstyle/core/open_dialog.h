// The texts of the icon file dialog and of the replace messages.
#pragma once

#include <QString>
#include <QStringList>

namespace shellstyle {

inline constexpr char kOpenTitle[] = "打开图标文件";
// The filter in "description|patterns|description|patterns" form, ';' between patterns.
inline constexpr char kOpenFilter[] =
    "可执行文件和图标库(*.exe,*.dll,*.icl)|*.exe;*.dll;*.icl|"
    "图标文件和位图文件(*.ico,*.bmp)|*.ico;*.bmp|"
    "AVI文件和WAV文件(*.avi,*.wav)|*.avi;*.wav|"
    "所有文件(*.*)|*.*";

inline constexpr char kNoFileMessage[] = "你还没有选择图标文件！";
inline constexpr char kUnstorablePathMessage[] =
    "文件路径含有无法保存的字符，图标没有替换。\n请把图标文件放到只含中英文字符的路径下再试。";
inline constexpr char kNotKeptMessage[] = "注册表存储暂时无法写入，图标设置没有保存。\n请稍后再试。";

// A "description|patterns|..." filter as Qt name filters, "description (p1 p2)".
// "*.*" becomes "*", so files without an extension show too.
QStringList nameFiltersFrom(const QString& filter);

}  // namespace shellstyle
