// Paints the library's pictures and writes them as an NE icon library.
#include "icon_pictures.h"

#include "platform/icons/writer/icon_writer.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <fstream>

namespace {

// Every icon carries these sizes (pixels), each at 32 and at 8 bits per pixel.
constexpr int kSizes[] = {32, 16};
constexpr int kDepths[] = {32, 8};

platform::icons::IconPixels render(const icon_library::IconPicture& picture, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(side / 32.0, side / 32.0);
        picture.paint(painter);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    platform::icons::IconPixels pixels;
    pixels.width = side;
    pixels.height = side;
    for (int y = 0; y < side; ++y) {
        auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        pixels.argb.insert(pixels.argb.end(), row, row + side);
    }
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon_library OUTPUT.icl\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");  // fonts without a display
    QGuiApplication app(argc, argv);

    std::vector<platform::icons::IconGroupBlobs> groups;
    for (const auto& picture : icon_library::iconPictures()) {
        platform::icons::IconGroupBlobs group;
        for (int side : kSizes) {
            auto pixels = render(picture, side);
            for (int depth : kDepths) group.push_back(platform::icons::encodeDibIcon(pixels, depth));
        }
        groups.push_back(std::move(group));
    }
    auto bytes = platform::icons::writeNeModule(groups, "VOVEREDAV");

    const std::string out = argv[1];
    const std::string temp = out + ".part";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "make_icon_library: cannot write %s\n", temp.c_str());
            return 1;
        }
    }
    if (std::rename(temp.c_str(), out.c_str()) != 0) {
        std::fprintf(stderr, "make_icon_library: cannot replace %s\n", out.c_str());
        return 1;
    }
    return 0;
}
