// Paints each program's menu icon from the icon library's pictures at every hicolor
// size. Usage: make_app_icons <folder>; writes <folder>/<n>x<n>/apps/<program id>.png.
#include "assets/icon_library/icon_pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

struct AppIcon {
    const char* id;   // the program's desktop id, which names the icon too
    int picture;      // picture number in the icon library
};

constexpr AppIcon kAppIcons[] = {
    {"org.shellstylesuite.shellstyle", 7},   // My Computer: the shell items it restyles
    {"org.shellstylesuite.imagefx", 3},      // a picture
    {"org.shellstylesuite.systune", 32},     // Settings
    {"org.shellstylesuite.typedrill", 18},   // keyboard
    {"org.shellstylesuite.timekeeper", 12},  // clock
};

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

const icon_library::IconPicture* findPicture(int number) {
    for (const auto& picture : icon_library::iconPictures())
        if (picture.number == number) return &picture;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_app_icons FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");  // fonts without a display
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));

    for (const AppIcon& icon : kAppIcons) {
        const icon_library::IconPicture* picture = findPicture(icon.picture);
        if (!picture) {
            std::fprintf(stderr, "make_app_icons: no picture %d in the library\n", icon.picture);
            return 1;
        }
        for (int side : kSizes) {
            // The pictures are painted in 32 x 32 units, so every size is drawn afresh.
            QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setRenderHint(QPainter::TextAntialiasing);
                painter.scale(side / 32.0, side / 32.0);
                picture->paint(painter);
            }
            const QString dir = QStringLiteral("%1x%1/apps").arg(side);
            const QString file = out.filePath(dir + QLatin1Char('/') + QLatin1String(icon.id) + QStringLiteral(".png"));
            const QString part = file + QStringLiteral(".part");
            if (!out.mkpath(dir) || !image.convertToFormat(QImage::Format_ARGB32).save(part, "PNG") ||
                std::rename(QFile::encodeName(part).constData(), QFile::encodeName(file).constData()) != 0) {
                std::fprintf(stderr, "make_app_icons: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
