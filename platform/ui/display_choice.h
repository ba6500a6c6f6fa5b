// Which of Qt's display platforms a program draws through on a GNOME desktop.
#pragma once

#include <QByteArray>

namespace platform::ui {

// The platform list for QT_QPA_PLATFORM from the desktop's variables, or empty to
// leave Qt's own choice. On a GNOME desktop under Wayland with Xwayland at hand
// (DISPLAY set) the windows go through Xwayland, falling back to Wayland: there
// the compositor draws its own title bars, which honour a fixed size, and places
// windows where the forms put them; natively Qt draws a grey title bar of its own
// with a maximise button on every window. A QT_QPA_PLATFORM the user set is kept.
QByteArray displayPlatformFor(const QByteArray& qtQpaPlatform, const QByteArray& currentDesktop,
                              const QByteArray& waylandDisplay, const QByteArray& x11Display);

// Applies the above to this process's environment; call before the QApplication.
void chooseDisplayPlatform();

}  // namespace platform::ui
