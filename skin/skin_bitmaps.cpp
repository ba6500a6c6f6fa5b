// The kit's skin bitmaps, embedded as resources under ":/skin/".
#include "skin/skin_bitmaps.h"

#include <QHash>
#include <QImageReader>

namespace skin {

QImage skinBitmap(const QString& name) {
    static QHash<QString, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, readEmbeddedPng(QStringLiteral(":/skin/") + name + QStringLiteral(".png")));
    return *it;
}

QImage readEmbeddedPng(const QString& resource) {
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace skin
