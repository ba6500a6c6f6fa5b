// The kit's skin bitmaps, embedded as resources under ":/skin/".
#include "skin/skin_bitmaps.h"

#include <QHash>

namespace skin {

QImage skinBitmap(const QString& name) {
    static QHash<QString, QImage> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, QImage(QStringLiteral(":/skin/") + name + QStringLiteral(".png")));
    return *it;
}

}  // namespace skin
