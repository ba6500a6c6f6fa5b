// One typed character in the practice window (comparison, marking, labels, keeping
// the place in view), on lessons of different lengths, 500 characters in.
#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <limits>
#include <type_traits>

#include "platform/codepage.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "platform/ui/fonts.h"
#include "typedrill/ui/form1.h"
#include "typedrill/ui/lesson_box.h"
#include "typedrill/ui/typing_line.h"

namespace {

constexpr int kTypedBefore = 500;

// A lesson of `length` common characters, written in code page 936.
QString writeLesson(const QString& dir, int length) {
    const QString pool = QStringLiteral("的一是了我不人在他有这个上们来到时大地为子中你说生国年着就那和要她出也得里后自以会");
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i) text += pool[(i * 7 + i / 13) % pool.size()];
    std::string bytes;
    platform::utf8ToCp936(text.toStdString(), bytes);
    const QString name = QStringLiteral("%1.txt").arg(length);
    std::ofstream(QDir(dir).filePath(name).toStdString(), std::ios::binary) << bytes;
    return name;
}

void commit(QWidget* box, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

void typeOneCharacter(benchmark::State& state, bool paint) {
    QTemporaryDir dir;
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeClock clock;
    typedrill::ui::Form1 form(boxes, clock, dir.path().toStdString());
    form.show();
    form.OpenFile(writeLesson(dir.path(), static_cast<int>(state.range(0))));
    form.begin->trigger();
    const QString lesson = form.exercise().lesson();
    commit(form.Text2, lesson.left(kTypedBefore));
    QApplication::processEvents();
    const QString next(lesson[kTypedBefore]);
    for (auto _ : state) {
        commit(form.Text2, next);  // right: the following character turns yellow
        form.Text2->backspace();   // and back, so every round starts alike
        if (paint) form.RTB->viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// One character typed at the end of a free-entry text of a given length, and
// taken back; with `box`, the typing box is drawn again too.
void freeEntryCharacter(benchmark::State& state, bool box) {
    QTemporaryDir dir;
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeClock clock;
    typedrill::ui::Form1 form(boxes, clock, dir.path().toStdString());
    form.show();
    form.inset->trigger();
    QString text;
    for (int i = 0; i < state.range(0); ++i) text += QChar(0x4E00 + i % 2000);
    commit(form.Text1, text);
    QApplication::processEvents();
    for (auto _ : state) {
        commit(form.Text1, QStringLiteral("汉"));
        form.Text1->backspace();
        form.RTB->viewport()->repaint();
        if (box) form.Text1->repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// A free-entry text of the given length: ideographs, or (`marks`) letters each
// carrying a combining mark, with one run of 1,000 marks on a single letter.
QString freeText(int length, bool marks) {
    QString text;
    text.reserve(length);
    if (!marks) {
        for (int i = 0; i < length; ++i) text += QChar(0x4E00 + i % 2000);
        return text;
    }
    text += QLatin1Char('a') + QString(1000, QChar(0x301));
    while (text.size() < length) text += QStringLiteral("e\u0301");
    text.truncate(length);
    return text;
}

// One character typed in the middle of a long free-entry text and taken back.
void freeEntryMiddle(benchmark::State& state, bool marks) {
    QTemporaryDir dir;
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeClock clock;
    typedrill::ui::Form1 form(boxes, clock, dir.path().toStdString());
    form.show();
    form.inset->trigger();
    commit(form.Text1, freeText(static_cast<int>(state.range(0)), marks));
    form.Text1->setCursorPosition(static_cast<int>(state.range(0) / 2));
    QApplication::processEvents();
    for (auto _ : state) {
        commit(form.Text1, QStringLiteral("汉"));
        form.Text1->backspace();
        form.RTB->viewport()->repaint();
        form.Text1->repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_FreeEntryMiddle(benchmark::State& state) { freeEntryMiddle(state, false); }
void BM_FreeEntryMiddleMarks(benchmark::State& state) { freeEntryMiddle(state, true); }

// One character typed at the end of a text of a given length and taken back, in
// the typing box alone and, for comparison, in a stock line edit, each drawn.
template <typename Box>
void boxCharacter(benchmark::State& state) {
    QWidget window;
    window.resize(520, 60);
    auto* box = new Box(&window);
    box->setGeometry(10, 10, 473, 25);
    if constexpr (std::is_same_v<Box, QLineEdit>) box->setMaxLength(std::numeric_limits<int>::max());
    window.show();
    box->setText(freeText(static_cast<int>(state.range(0)), false));
    box->setFocus();
    QApplication::processEvents();
    for (auto _ : state) {
        commit(box, QStringLiteral("汉"));
        box->backspace();
        box->repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_TypingBoxCharacter(benchmark::State& state) { boxCharacter<typedrill::ui::TypingLine>(state); }
void BM_LineEditCharacter(benchmark::State& state) { boxCharacter<QLineEdit>(state); }

void BM_FreeEntryCharacter(benchmark::State& state) { freeEntryCharacter(state, false); }
void BM_FreeEntryCharacterAndBox(benchmark::State& state) { freeEntryCharacter(state, true); }

// The exercise alone, without the window.
class NoView final : public typedrill::ExerciseView {
    void lessonReplaced() override {}
    void markChanged(int) override {}
    void caretMoved(int) override {}
    void clearInputBox() override {}
    void clearFreeBox() override {}
    void stateChanged() override {}
};

void BM_CompareCharacter(benchmark::State& state) {
    NoView view;
    platform::testing::FakeMessageBoxes boxes;
    typedrill::Exercise exercise(view, boxes);
    QString lesson;
    for (int i = 0; i < state.range(0); ++i) lesson += QChar(0x4E00 + i % 2000);
    exercise.openLesson(lesson);
    exercise.begin();
    const QString shorter = lesson.left(kTypedBefore);
    const QString longer = lesson.left(kTypedBefore + 1);
    for (auto _ : state) {
        exercise.inputChanged(longer);
        exercise.inputChanged(shorter);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_TypeCharacter(benchmark::State& state) { typeOneCharacter(state, false); }
void BM_TypeCharacterAndPaint(benchmark::State& state) { typeOneCharacter(state, true); }

BENCHMARK(BM_CompareCharacter)->Arg(1000)->Arg(100000);
BENCHMARK(BM_TypeCharacter)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeCharacterAndPaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreeEntryCharacter)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreeEntryCharacterAndBox)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypingBoxCharacter)->Arg(1000)->Arg(32767)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineEditCharacter)->Arg(1000)->Arg(32767)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreeEntryMiddle)->Arg(1000)->Arg(350000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreeEntryMiddleMarks)->Arg(1000)->Arg(102000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ui::installFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
