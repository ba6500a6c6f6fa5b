// Lets the window's menu shortcuts act before an edit control claims the key
// (a line edit takes Ctrl+C for copying unless told otherwise).
#pragma once

#include <QObject>

class QWidget;

namespace typedrill::ui {

class MenuKeysFirst final : public QObject {
    Q_OBJECT
public:
    // `window` holds the menu actions whose shortcuts win.
    explicit MenuKeysFirst(QWidget* window);
    // Watches `control` for keys that one of the window's actions is bound to.
    void watch(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

}  // namespace typedrill::ui
