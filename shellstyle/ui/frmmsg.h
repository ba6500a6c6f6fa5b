// frmmsg: the author window. Beeps when it opens, keeps the keyboard focus while
// open (window-modal over its main window), and hands the focus back to the main
// window's frame when it closes.
#pragma once

#include <QWidget>

#include "shellstyle/ui/seams.h"

class QLabel;

namespace skin {
class xp_canvas;
class xpcmdbutton;
class xptopbuttons;
}  // namespace skin

namespace shellstyle::ui {

class frmmsg : public QWidget {
    Q_OBJECT
public:
    // `mainFrame` is the frame of the main window, which gets the focus back; the
    // window stays in front of, and blocks, the main window that holds that frame.
    frmmsg(Seams& seams, skin::xp_canvas* mainFrame);

    skin::xp_canvas* xp_canvas2 = nullptr;
    skin::xptopbuttons* xpclose = nullptr;
    QLabel* imginformation = nullptr;
    QLabel* Label1_1 = nullptr;  // Label1(1)
    skin::xpcmdbutton* cmdexit = nullptr;

    // Makes the information picture visible (after the window is shown).
    void showInformation();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();

    Seams& seams_;
    skin::xp_canvas* mainFrame_;
};

}  // namespace shellstyle::ui
