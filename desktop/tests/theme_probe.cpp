// Asks Qt's own icon engine for a name in a theme and compares the 32x32 picture with
// icon `number` of `file`; writes that expected picture as PNG for the GTK check.
// Usage: theme_probe <theme> <name> <file> <number> <expected.png>. Exit 0 when equal.
#include <cstdio>

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "platform/icons/icon_file.h"

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: theme_probe theme name file number expected.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString theme = QString::fromLocal8Bit(argv[1]), name = QString::fromLocal8Bit(argv[2]);
    const auto wanted = platform::iconImageOfSide(argv[3], std::atoi(argv[4]), 32);
    if (!wanted || !wanted->save(QString::fromLocal8Bit(argv[5]), "PNG")) {
        std::fprintf(stderr, "no icon %s in %s\n", argv[4], argv[3]);
        return 2;
    }
    QIcon::setThemeName(theme);
    const QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull()) {
        std::fprintf(stderr, "Qt finds no %s in theme %s\n", argv[2], argv[1]);
        return 1;
    }
    const QImage got = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (got != wanted->convertToFormat(QImage::Format_ARGB32_Premultiplied)) {
        std::fprintf(stderr, "Qt's %s in theme %s differs from icon %s of %s\n", argv[2], argv[1], argv[4], argv[3]);
        return 1;
    }
    return 0;
}
