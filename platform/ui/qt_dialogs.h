// The real message boxes and open-file dialog, on Qt Widgets.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/file_dialog.h"
#include "platform/message_box.h"

class QWidget;

namespace platform::ui {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    MsgAnswer show(const QString& text, const QString& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    void beep() override;

private:
    QWidget* parent_;
};

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QString openFile(const QString& title, const QStringList& nameFilters,
                     const QString& startDir) override;

private:
    QWidget* parent_;
};

// The suite's data folder; or, on an account that has no home folder to keep it in,
// nothing, after the reason is shown in a box captioned `caption`.
std::optional<std::filesystem::path> suiteDataDirOrSay(MessageBoxes& boxes, const QString& caption);

}  // namespace platform::ui
