// Turning the dialog filter into Qt name filters.
#include "shellstyle/core/open_dialog.h"

namespace shellstyle {

QStringList nameFiltersFrom(const QString& filter) {
    const QStringList parts = filter.split(QChar('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QChar(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
        }
        out << parts[i] + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')');
    }
    return out;
}

}  // namespace shellstyle
