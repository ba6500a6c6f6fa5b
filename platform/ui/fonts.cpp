// Font substitutes: a Chinese face the package depends on for the Chinese faces, DejaVu for the Latin ones, each
// followed by the CJK face so that Chinese captions in a Latin font still show.
#include "platform/ui/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace platform::ui {

void installFonts() {
    // The faces of the packages the suite depends on (fonts-noto-cjk | fonts-arphic-uming
    // | fonts-wqy-microhei), and Zen Hei, the other WenQuanYi face Debian ships.
    const QStringList chineseSerif = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                                      QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei"),
                                      QStringLiteral("WenQuanYi Zen Hei")};
    const QStringList chineseSans = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
                                     QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC"),
                                     QStringLiteral("AR PL UMing CN")};
    QStringList latinSans = {QStringLiteral("DejaVu Sans")};
    latinSans += chineseSans;

    for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name), chineseSerif);
    for (const char* name : {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei"})
        QFont::insertSubstitutions(QString::fromUtf8(name), chineseSans);
    for (const char* name : {"Trebuchet MS", "MS Sans Serif", "Tahoma", "Arial", "Verdana"})
        QFont::insertSubstitutions(QString::fromUtf8(name), latinSans);

    QFont form(QStringLiteral("宋体"));
    form.setPointSize(9);
    QApplication::setFont(form);
}

QFont songFont(int pointSize) {
    static const QString family = [] {
        QString face = QStringLiteral("宋体");
        for (const QString& substitute : QFont::substitutes(QStringLiteral("宋体")))
            if (QFontDatabase::hasFamily(substitute)) {
                face = substitute;
                break;
            }
        // What draws in the default font before a control's own is set (a text box's
        // empty document) then takes the same short way.
        QFont standard = QApplication::font();
        if (standard.families() == QStringList{QStringLiteral("宋体")}) {
            standard.setFamilies({face});
            QApplication::setFont(standard);
        }
        return face;
    }();
    QFont font(family);
    font.setPointSize(pointSize);
    return font;
}

}  // namespace platform::ui
