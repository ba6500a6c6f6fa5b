// The author window's text. The contact lines are placeholders of the suite itself.
#include "shellstyle/core/author_text.h"

namespace shellstyle {

QString authorText() {
    const QString who = QStringLiteral("shellstyle 开发组 作品");
    const QString mail = QStringLiteral("邮件：ss@example.com");
    const QString site = QStringLiteral("网站：ss.example.com");
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
