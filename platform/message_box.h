// The message-box seam: modal boxes with a text, a caption, an icon and buttons.
#pragma once

#include <QString>

namespace platform {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box and returns the button the user chose. Closing a Yes/No box
    // without choosing counts as No.
    virtual MsgAnswer show(const QString& text, const QString& caption, MsgButtons buttons,
                           MsgIcon icon) = 0;
    // The system beep.
    virtual void beep() = 0;
};

}  // namespace platform
