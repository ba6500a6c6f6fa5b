#include "platform/ui/lazy_icon_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace platform::ui {
namespace {

class DeferredIcon final : public QIconEngine {
public:
    explicit DeferredIcon(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIcon(*this); }

private:
    const QIcon& icon() {
        if (make_) {
            made_ = make_();
            make_ = nullptr;
        }
        return made_;
    }

    std::function<QIcon()> make_;
    QIcon made_;
};

}  // namespace

LazyIconStyle::LazyIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    if (option) return QProxyStyle::standardIcon(icon, option, widget);  // it may not outlive the call
    QPointer<QWidget> target(const_cast<QWidget*>(widget));  // only to know whether it still lives
    QPointer<QStyle> base(baseStyle());
    return QIcon(new DeferredIcon([base, icon, target]() -> QIcon {
        if (!base) return {};
        return base->standardIcon(icon, nullptr, target.data());  // null once the widget is gone
    }));
}

}  // namespace platform::ui
