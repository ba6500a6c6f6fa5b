// Message boxes and file dialogs through Qt Widgets.
#include "platform/ui/qt_dialogs.h"

#include "platform/data_dir.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform::ui {

MsgAnswer QtMessageBoxes::show(const QString& text, const QString& caption, MsgButtons buttons,
                               MsgIcon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (buttons == MsgButtons::Ok) {
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
        return MsgAnswer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MsgAnswer::Yes : MsgAnswer::No;
}

void QtMessageBoxes::beep() { QApplication::beep(); }

QString QtFileDialogs::openFile(const QString& title, const QStringList& nameFilters,
                                const QString& startDir) {
    QFileDialog dialog(parent_, title, startDir);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

std::optional<std::filesystem::path> suiteDataDirOrSay(MessageBoxes& boxes, const QString& caption) {
    try {
        return suiteDataDir();
    } catch (const NoDataDir& e) {
        boxes.show(QStringLiteral("找不到保存数据的文件夹：") + QString::fromUtf8(e.what()), caption, MsgButtons::Ok,
                   MsgIcon::Critical);
        return std::nullopt;
    }
}

}  // namespace platform::ui
