// The yardsticks for start-up: a bare Qt window, built with the suite's flags, and
// with --text the same window showing one Chinese caption the way every program of
// the suite draws its text: the suite's font substitutes, "宋体" 9 pt under its
// installed face's name, and Qt's own Chinese strings loaded. It pays the font
// set-up (configuration, matching, one CJK face) and the translation that every
// program's window pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

#include "platform/ui/fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    if (text) {
        platform::ui::installFonts();
        platform::ui::installQtTranslation();
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(473, 300);
    if (text) {
        auto* caption = new QLabel(QStringLiteral("总共输入："), &window);
        caption->setFont(platform::ui::songFont(9));
        caption->adjustSize();
    }
    window.show();
    return app.exec();
}
