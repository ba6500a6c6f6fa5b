// frmSplash: the borderless start-up picture with the busy pointer.
#pragma once

#include <cstdint>
#include <functional>

#include <QWidget>

#include "platform/clock.h"
#include "platform/message_box.h"

class QLabel;

namespace shellstyle::ui {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // `idle` is what the unload guard does between looks at the clock (it must not
    // dispatch events); by default it sleeps 10 ms.
    frmSplash(const platform::Clock& clock, platform::MessageBoxes& boxes,
              std::function<void()> idle = {}, QWidget* parent = nullptr);
    ~frmSplash() override;

    QString Platform;  // set by Main; the splash shows only its picture

    std::int64_t loadTime() const { return loadTime_; }  // monotonic ms
    bool busyPointerShown() const { return busy_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    void restorePointer();

    const platform::Clock& clock_;
    platform::MessageBoxes& boxes_;
    std::function<void()> idle_;
    QLabel* BackgroundPicture;
    std::int64_t loadTime_ = 0;
    bool busy_ = false;
};

}  // namespace shellstyle::ui
