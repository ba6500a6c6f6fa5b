// Form reg: the 22 switch boxes in two frames, save and exit, the restart question.
#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "platform/message_box.h"
#include "platform/restart.h"
#include "registry/general.h"
#include "systune/core/switch_table.h"

class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QPushButton;

namespace systune::ui {

class reg final : public QWidget {
    Q_OBJECT
public:
    reg(registry::General& registry, platform::MessageBoxes& boxes, platform::RestartRequest& restart,
        QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QCheckBox*, kProhibitionCount> Check1{};
    std::array<QCheckBox*, kTweakCount> Check2{};
    QPushButton* Command1 = nullptr;  // 保存设置
    QPushButton* Command2 = nullptr;  // 退    出
    QLabel* Label1 = nullptr;         // the hint

    // The box of table row `row`.
    QCheckBox* box(std::size_t row) const;
    SwitchStates states() const;
    // Called with the saved boxes after each save, so the desktop can catch up.
    std::function<void(const SwitchStates&)> afterSave;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();

    registry::General& registry_;
    platform::MessageBoxes& boxes_;
    platform::RestartRequest& restart_;
    bool ending_ = false;  // the exit button ends the program without the unload step
};

}  // namespace systune::ui
