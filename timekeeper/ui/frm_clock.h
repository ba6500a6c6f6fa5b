// frmClock: the clock window, a thin layer over ClockForm.
#pragma once

#include <QTimer>
#include <QWidget>

#include "timekeeper/core/clock_form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace timekeeper::ui {

class FrmClock final : public QWidget {
    Q_OBJECT
public:
    // Loads the stored alarm at once (Form_Load) and starts Timer1, which ticks once a
    // second just after the second begins.
    FrmClock(platform::Clock& clock, platform::MessageBoxes& boxes, QWidget* parent = nullptr);

    const ClockForm& form() const { return form_; }
    QTimer& timer1() { return timer1_; }

    // Client-area heights in pixels for the two outer heights.
    static int clientHeight(int outerTwips);

public slots:
    // Timer1's tick.
    void onTimer1();
    // Shows the window on top (when another start of the program asks for it),
    // with the activation token that start was given, if any.
    void bringForward(const QByteArray& activationToken = {});

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Brings every control in line with the form state.
    void present();
    // Runs a handler of the form, then shows its outcome.
    template <typename Handler>
    void run(Handler handler);

    platform::Clock& clock_;
    ClockForm form_;
    QTimer timer1_;
    QGroupBox* frame1_;
    QLabel* lblShowTime_;
    QLabel* lblShowDate_;
    QPushButton* cmdStart_;
    QPushButton* cmdCls_;
    QPushButton* cmdTime_;
    QPushButton* cmdDate_;
    QPushButton* cmdAlarm_;
    QPushButton* cmdClose_;
    QGroupBox* frame2_;
    QCheckBox* chkAlarm_;
    QLabel* lblDate_;
    QLabel* lblTime_;
    QPushButton* cmdOK_;
    QTextEdit* rtbdate_;
    QTextEdit* rtbtime_;
    int boxesFilled_ = -1;  // the form's count of box fillings the boxes show
};

}  // namespace timekeeper::ui
