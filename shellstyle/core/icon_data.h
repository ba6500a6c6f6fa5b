// The text values the icon walks store: "path,number".
#pragma once

#include <QChar>
#include <QString>

namespace shellstyle {

// The shipped icon library beside the program.
inline constexpr char kIconLibraryName[] = "voveredav.icl";

// "<file>,<number>", the number with leading and trailing spaces removed.
QString replaceData(const QString& iconFile, const QString& iconNumber);

// "<folder><sep>voveredav.icl," or, when the folder already ends with `sep`
// (a root such as "/" or "C:\"), "<folder>voveredav.icl,".
QString libraryPathPrefix(const QString& folder, QChar separator = QChar('/'));

// Whether the text survives the store's code page 936 form unchanged.
bool storableText(const QString& text);

}  // namespace shellstyle
