// Which of Qt's display platforms a program draws through on a GNOME desktop.
#include "platform/ui/display_choice.h"

#include <QList>
#include <QtGlobal>

namespace platform::ui {

QByteArray displayPlatformFor(const QByteArray& qtQpaPlatform, const QByteArray& currentDesktop,
                              const QByteArray& waylandDisplay, const QByteArray& x11Display) {
    if (!qtQpaPlatform.isEmpty() || waylandDisplay.isEmpty() || x11Display.isEmpty()) return {};
    // XDG_CURRENT_DESKTOP is a colon-separated list, e.g. "ubuntu:GNOME".
    for (const QByteArray& desktop : currentDesktop.split(':'))
        if (desktop.compare("GNOME", Qt::CaseInsensitive) == 0) return "xcb;wayland";
    return {};
}

void chooseDisplayPlatform() {
    const QByteArray platform = displayPlatformFor(qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_CURRENT_DESKTOP"),
                                                   qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}

}  // namespace platform::ui
