// Qt's own strings in Simplified Chinese, from the translations Qt ships.
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/ui/fonts.h"

namespace platform::ui {

bool installQtTranslation() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    // The captions are Simplified Chinese in every locale, so the stock texts are too.
    auto* translator = new QTranslator(app);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace platform::ui
