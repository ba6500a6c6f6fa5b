// What screen readers get when they step through the lesson box and the typing
// box by character, word, sentence and line.
#include <QAccessible>
#include <QApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "typedrill/ui/lesson_box.h"
#include "typedrill/ui/typing_line.h"

namespace typedrill::ui {
namespace {

using namespace std::chrono_literals;

// Ends the test program when one answer has not come within the limit, so that
// an answer that never comes fails at once instead of stalling the run. A hang
// catcher, not a measure of speed.
class Watchdog {
public:
    explicit Watchdog(std::string what) : what_(std::move(what)), thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        if (!wake_.wait_for(lock, 10s, [this] { return done_; })) {
            std::fprintf(stderr, "no answer within 10 s: %s\n", what_.c_str());
            std::_Exit(1);
        }
    }

    std::string what_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

struct Answer {
    QString text;
    int start = -2, end = -2;
};

const char* kindName(QAccessible::TextBoundaryType type) {
    switch (type) {
    case QAccessible::CharBoundary: return "character";
    case QAccessible::WordBoundary: return "word";
    case QAccessible::SentenceBoundary: return "sentence";
    case QAccessible::LineBoundary: return "line";
    case QAccessible::ParagraphBoundary: return "paragraph";
    case QAccessible::NoBoundary: return "all";
    }
    return "?";
}

// The piece before (-1), at (0) or after (1) `offset`, asked under the watchdog.
Answer ask(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type, int step) {
    const Watchdog watchdog(std::string(kindName(type)) + " " + std::to_string(step) + " at " + std::to_string(offset));
    Answer a;
    if (step < 0) a.text = text->textBeforeOffset(offset, type, &a.start, &a.end);
    else if (step == 0) a.text = text->textAtOffset(offset, type, &a.start, &a.end);
    else a.text = text->textAfterOffset(offset, type, &a.start, &a.end);
    return a;
}

// Every kind at the first, a middle, the last character and the end: each piece
// holds its offset and is the text it says, and the pieces before and after
// touch it. Returns the pieces at the offsets for checks of their own.
std::map<std::pair<int, QAccessible::TextBoundaryType>, Answer> walk(QAccessibleTextInterface* text,
                                                                     const std::vector<int>& offsets) {
    const QString all = text->text(0, -1);
    const int count = static_cast<int>(all.size());
    std::map<std::pair<int, QAccessible::TextBoundaryType>, Answer> pieces;
    for (auto type : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                      QAccessible::LineBoundary, QAccessible::ParagraphBoundary}) {
        for (int offset : offsets) {
            const std::string where = std::string(kindName(type)) + " at " + std::to_string(offset);
            const Answer at = ask(text, offset, type, 0);
            if (offset == count && type == QAccessible::CharBoundary) {
                EXPECT_TRUE(at.text.isEmpty()) << where;
            } else {
                EXPECT_LE(at.start, std::min(offset, count - 1)) << where;
                EXPECT_GT(at.end, std::min(offset, count - 1)) << where;
            }
            EXPECT_EQ(at.text, all.mid(at.start, at.end - at.start)) << where;
            const Answer before = ask(text, offset, type, -1);
            const Answer after = ask(text, offset, type, 1);
            if (at.start > 0 && type != QAccessible::ParagraphBoundary) {
                EXPECT_EQ(before.end, at.start) << where;
                EXPECT_EQ(before.text, all.mid(before.start, before.end - before.start)) << where;
            } else {
                EXPECT_TRUE(before.text.isEmpty()) << where;
            }
            if (at.end < count && type != QAccessible::ParagraphBoundary) {
                EXPECT_EQ(after.start, at.end) << where;
                EXPECT_EQ(after.text, all.mid(after.start, after.end - after.start)) << where;
            } else {
                EXPECT_TRUE(after.text.isEmpty()) << where;
            }
            pieces[{offset, type}] = at;
        }
    }
    return pieces;
}

TEST(AccessibleText, LessonBoxAnswersByCharacterWordSentenceAndDrawnLine) {
    // Sentences of ideographs and commas, one with a Latin word; about 650 characters.
    QString lesson;
    for (int i = 0; lesson.size() < 640; ++i)
        lesson += i % 4 == 3 ? QStringLiteral("五笔 Wubi 字型，好。") : QStringLiteral("王土大木工，目日口田山。");
    const int count = static_cast<int>(lesson.size());
    std::vector<Mark> marks(lesson.size(), Mark::Black);
    LessonBox box;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    box.setFont(font);
    box.document()->setDefaultFont(font);
    box.resize(473, 258);
    box.show();
    box.showLesson(lesson, &marks);

    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&box)->textInterface();
    ASSERT_NE(text, nullptr);
    const int middle = static_cast<int>(lesson.indexOf(QStringLiteral("Wubi"))) + 2;
    const auto pieces = walk(text, {0, middle, count / 2, count - 1, count});

    // Words as the boundary finder splits Chinese: one character each; a Latin word whole.
    EXPECT_EQ(pieces.at({0, QAccessible::WordBoundary}).text, QStringLiteral("王"));
    EXPECT_EQ(pieces.at({middle, QAccessible::WordBoundary}).text, QStringLiteral("Wubi"));
    EXPECT_EQ(pieces.at({count - 1, QAccessible::WordBoundary}).text, lesson.right(1));
    EXPECT_EQ(pieces.at({0, QAccessible::SentenceBoundary}).text, QStringLiteral("王土大木工，目日口田山。"));
    EXPECT_EQ(pieces.at({0, QAccessible::ParagraphBoundary}).text, lesson);

    // A line is one drawn line: its characters share a row, its neighbours do not.
    const auto row = [&](int position) { return box.characterRect(position).top(); };
    for (int offset : {0, count / 2, count}) {
        const Answer line = pieces.at({offset, QAccessible::LineBoundary});
        EXPECT_LT(line.text.size(), 40) << offset;
        EXPECT_EQ(row(line.start), row(line.end - 1)) << offset;
        if (line.start > 0) {
            EXPECT_NE(row(line.start - 1), row(line.start)) << offset;
        }
        if (line.end < count) {
            EXPECT_NE(row(line.end), row(line.end - 1)) << offset;
        }
    }
    EXPECT_EQ(pieces.at({count, QAccessible::LineBoundary}).end, count);
}

TEST(AccessibleText, TypingBoxAnswersByCharacterWordSentenceAndItsOneLine) {
    QWidget window;
    auto* box = new TypingLine(&window);
    box->setGeometry(0, 0, 473, 25);
    window.show();
    const QString typed = QStringLiteral("王土大。Two words e\u0301te. 汉字");
    box->setText(typed);
    const int count = static_cast<int>(typed.size());
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
    ASSERT_NE(text, nullptr);
    const int accent = static_cast<int>(typed.indexOf(QChar(0x301)));
    const auto pieces = walk(text, {0, accent, count - 1, count});

    EXPECT_EQ(pieces.at({accent, QAccessible::CharBoundary}).text, QStringLiteral("e\u0301"));  // one cluster
    EXPECT_EQ(pieces.at({accent, QAccessible::WordBoundary}).text, QStringLiteral("e\u0301te"));
    EXPECT_EQ(pieces.at({accent, QAccessible::SentenceBoundary}).text, QStringLiteral("Two words e\u0301te. "));
    EXPECT_EQ(pieces.at({count - 1, QAccessible::LineBoundary}).text, typed);
    EXPECT_EQ(pieces.at({0, QAccessible::WordBoundary}).text, QStringLiteral("王"));

    box->clear();  // nothing to read, and still an answer
    EXPECT_TRUE(ask(text, 0, QAccessible::WordBoundary, 0).text.isEmpty());
}

}  // namespace
}  // namespace typedrill::ui
