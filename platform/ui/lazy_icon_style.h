// A style whose standard icons are made when first drawn, not when asked for.
#pragma once

#include <QProxyStyle>

namespace platform::ui {

// Wraps the application's style. Controls ask for standard icons when they are
// built (a menu bar its overflow arrow, which a fixed-size window never shows);
// making one reads an image, and the first image read loads every image-format
// plugin, milliseconds of each start. Here the icon is made on its first paint,
// and looks the same as the wrapped style's.
class LazyIconStyle final : public QProxyStyle {
public:
    // Wraps `base` (the default style when null), taking it over.
    explicit LazyIconStyle(QStyle* base = nullptr);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};

}  // namespace platform::ui
