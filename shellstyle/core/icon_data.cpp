// Building the "path,number" texts.
#include "shellstyle/core/icon_data.h"

#include <string>

#include "platform/codepage.h"

namespace shellstyle {
namespace {

// Removes spaces only (not tabs or line ends) from both ends.
QString trimSpaces(const QString& s) {
    qsizetype first = 0, last = s.size();
    while (first < last && s[first] == QChar(' ')) ++first;
    while (last > first && s[last - 1] == QChar(' ')) --last;
    return s.mid(first, last - first);
}

}  // namespace

QString replaceData(const QString& iconFile, const QString& iconNumber) {
    return iconFile + QChar(',') + trimSpaces(iconNumber);
}

QString libraryPathPrefix(const QString& folder, QChar separator) {
    QString prefix = folder;
    if (!prefix.endsWith(separator)) prefix += separator;
    return prefix + QString::fromLatin1(kIconLibraryName) + QChar(',');
}

bool storableText(const QString& text) {
    std::string bytes;
    return platform::utf8ToCp936(text.toStdString(), bytes);
}

}  // namespace shellstyle
