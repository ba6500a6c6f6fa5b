// The yardstick for start-up: a bare Qt window, built with the suite's flags.
// With --text it also shows one Chinese caption, which costs the font set-up
// (configuration, matching, one CJK face) that every program's window pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(473, 300);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        QFont song(QStringLiteral("Noto Serif CJK SC"));
        song.setPixelSize(12);
        auto* caption = new QLabel(QStringLiteral("总共输入："), &window);
        caption->setFont(song);
        caption->adjustSize();
    }
    window.show();
    return app.exec();
}
