// Caption text of the main window.
#include "imagefx/core/caption.h"

namespace imagefx {

QString signedNumberText(long long n) {
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

QString windowCaption(const QString& title, const QString& path, long long width,
                      long long height) {
    return title + QStringLiteral("-") + path + QStringLiteral("(") + signedNumberText(width) +
           QStringLiteral("x") + signedNumberText(height) + QStringLiteral(")");
}

}  // namespace imagefx
