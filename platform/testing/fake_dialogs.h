// Scripted message boxes and file dialogs: answers are queued by the test, and
// every box shown is recorded.
#pragma once

#include <deque>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/message_box.h"

namespace platform::testing {

struct ShownBox {
    QString text;
    QString caption;
    MsgButtons buttons;
    MsgIcon icon;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    // Answers for Yes/No boxes, in order; when none is queued the answer is No.
    std::deque<MsgAnswer> answers;
    std::vector<ShownBox> shown;
    int beeps = 0;

    MsgAnswer show(const QString& text, const QString& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        shown.push_back({text, caption, buttons, icon});
        if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        if (answers.empty()) return MsgAnswer::No;
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void beep() override { ++beeps; }
};

struct OpenRequest {
    QString title;
    QStringList nameFilters;
    QString startDir;
};

class FakeFileDialogs final : public FileDialogs {
public:
    // Paths to return, in order; an empty text (or none queued) is a cancel.
    std::deque<QString> results;
    std::vector<OpenRequest> requests;

    QString openFile(const QString& title, const QStringList& nameFilters,
                     const QString& startDir) override {
        requests.push_back({title, nameFilters, startDir});
        if (results.empty()) return {};
        QString r = results.front();
        results.pop_front();
        return r;
    }
};

}  // namespace platform::testing
