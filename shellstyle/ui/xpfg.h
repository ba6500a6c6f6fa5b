// xpfg: the main window. Opens an icon file, previews its icons, and writes the
// ticked shell items, the XP preset or the restore into the registry.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include <QPointer>
#include <QWidget>

#include "shellstyle/core/icon_browser.h"
#include "shellstyle/core/icon_targets.h"
#include "shellstyle/core/icon_walks.h"
#include "shellstyle/ui/seams.h"

class QLabel;
class QScrollBar;

namespace skin {
class xp_canvas;
class xpcheckbox;
class xpcmdbutton;
class xptopbuttons;
}  // namespace skin

namespace shellstyle::ui {

class IconPreview;
class frmmsg;

class xpfg : public QWidget {
    Q_OBJECT
public:
    // `splash`, when given, gets this window as its owner so it stays in front.
    explicit xpfg(Seams& seams, QWidget* splash = nullptr, QWidget* parent = nullptr);
    ~xpfg() override;

    // The frame control covering the form (named "xpfg" on the form).
    skin::xp_canvas* frame() const { return frame_; }
    skin::xptopbuttons* xptopbuttons1 = nullptr;
    skin::xpcmdbutton* OpenFile = nullptr;
    skin::xpcmdbutton* About = nullptr;
    skin::xpcmdbutton* Change = nullptr;
    skin::xpcmdbutton* restore = nullptr;
    skin::xpcmdbutton* WinXp = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QWidget*, 2> Line1{};
    IconPreview* Pic = nullptr;
    QScrollBar* HS = nullptr;

    // The check box of iconBoxes()[index], or of the named box ("check1(3)").
    skin::xpcheckbox* box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
    skin::xpcheckbox* box(std::string_view name) const;

    const IconBrowser& browser() const { return browser_; }
    frmmsg* messageWindow() const;
    int activations() const { return activations_; }
    // Called after each walk that wrote the store, so the desktop can catch up.
    std::function<void()> afterIconWalk;

    void OpenFile_Click();
    void HS_Change(int value);
    void Change_Click();
    void About_Click();
    void WinXp_Click();
    void restore_Click();
    void xptopbuttons1_Click();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void Form_Load(QWidget* splash);
    void Form_Activate();
    void Form_Unload();
    void showIcon(int index);
    // Says so when the store could not keep a walk.
    void tellIfNotKept(WalkOutcome outcome);

    Seams& seams_;
    skin::xp_canvas* frame_ = nullptr;
    std::array<skin::xpcheckbox*, kIconBoxCount> boxes_{};
    IconBrowser browser_;
    QPointer<frmmsg> message_;
    int activations_ = 0;
    bool waiting_ = false;
    bool unloaded_ = false;
};

}  // namespace shellstyle::ui
