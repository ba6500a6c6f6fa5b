// The author window's text. The contact lines are placeholders of the suite itself.
#include "shellstyle/core/author_text.h"

namespace shellstyle {

QString authorText() {
    const QString who = QStringLiteral("本软件由 shellstyle 套件开发组编写。");
    const QString mail = QStringLiteral("电子邮件：team@shellstyle.example");
    const QString site = QStringLiteral("网站：http://www.shellstyle.example");
    return who + QStringLiteral("\n\r") + mail + QStringLiteral("\r") + site;
}

QString authorDisplayText() {
    QString text = authorText();
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

}  // namespace shellstyle
