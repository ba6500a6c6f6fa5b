// The typing box's accessible text.
#include "typedrill/ui/typing_line_accessible.h"

#include <QAccessibleWidget>
#include <QTextBoundaryFinder>

#include <algorithm>

#include "typedrill/ui/typing_line.h"

namespace typedrill::ui {
namespace {

// Characters, words and sentences are looked for this far either side of the asked offset.
constexpr int kBoundaryReach = 1024;

class TypingLineAccessible final : public QAccessibleWidget,
                                   public QAccessibleTextInterface,
                                   public QAccessibleEditableTextInterface {
public:
    explicit TypingLineAccessible(TypingLine* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.selectableText = true;
        s.multiLine = false;
        return s;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return box()->text();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t == QAccessible::Value) box()->setText(text);
        else QAccessibleWidget::setText(t, text);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const bool has = selectionIndex == 0 && box()->hasSelectedText();
        *startOffset = has ? box()->selectionStart() : 0;
        *endOffset = has ? box()->selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) box()->deselect();
    }
    void setSelection(int, int startOffset, int endOffset) override {
        box()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        const int count = characterCount();
        const int from = std::clamp(startOffset, 0, count);
        const int to = endOffset < 0 ? count : std::clamp(endOffset, from, count);
        return box()->text().mid(from, to - from);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }

    QRect characterRect(int offset) const override {
        const QRect r = box()->characterRect(offset);
        if (r.isNull()) return {};
        return {box()->mapToGlobal(r.topLeft()), r.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = box()->mapFromGlobal(point);
        return box()->rect().contains(local) ? box()->positionAt(local) : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }
    // One run without attributes: the box shows its text in one colour.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        const int count = characterCount();
        *startOffset = offset < 0 || offset > count ? std::clamp(offset, 0, count) : 0;
        *endOffset = offset < 0 || offset > count ? *startOffset : count;
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                             int* endOffset) const override {
        return around(offset, type, -1, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override {
        return around(offset, type, 0, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                            int* endOffset) const override {
        return around(offset, type, 1, startOffset, endOffset);
    }

    void deleteText(int startOffset, int endOffset) override { box()->replace(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString& text) override { box()->replace(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        box()->replace(startOffset, endOffset, text);
    }

private:
    TypingLine* box() const { return static_cast<TypingLine*>(widget()); }

    // The piece of the given kind at `offset` (`step` 0), the one before it (-1)
    // or after it (1). The box holds one line: a line or paragraph is all of it.
    QString around(int offset, QAccessible::TextBoundaryType type, int step, int* startOffset, int* endOffset) const {
        const QString& all = box()->text();
        const int count = static_cast<int>(all.size());
        *startOffset = *endOffset = -1;
        if (offset < 0 || offset > count) return {};
        if (type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary ||
            type == QAccessible::NoBoundary) {
            if (step != 0) return {};
            *startOffset = 0;
            *endOffset = count;
            return all;
        }
        const auto kind = type == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                          : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                              : QTextBoundaryFinder::Sentence;
        const int from = std::max(0, offset - kBoundaryReach);
        const int to = std::min(count, offset + kBoundaryReach);
        QTextBoundaryFinder finder(kind, QStringView(all).mid(from, to - from));
        finder.setPosition(offset - from);
        if (!finder.isAtBoundary() || (offset == count && step >= 0)) finder.toPreviousBoundary();
        for (int i = 0; i > step; --i) finder.toPreviousBoundary();
        for (int i = 0; i < step; ++i) finder.toNextBoundary();
        const qsizetype start = finder.position();
        const qsizetype end = finder.toNextBoundary();
        if (start < 0 || end < 0) return {};
        *startOffset = from + static_cast<int>(start);
        *endOffset = from + static_cast<int>(end);
        return all.mid(*startOffset, *endOffset - *startOffset);
    }
};

QAccessibleInterface* typingLineFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(TypingLine::staticMetaObject.className())) return nullptr;
    if (auto* box = qobject_cast<TypingLine*>(object)) return new TypingLineAccessible(box);
    return nullptr;
}

}  // namespace

void installTypingLineAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(typingLineFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace typedrill::ui
