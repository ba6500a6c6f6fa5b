// The typing box's accessible text.
#include "typedrill/ui/typing_line_accessible.h"

#include <QAccessibleWidget>

#include <algorithm>

#include "typedrill/ui/accessible_pieces.h"
#include "typedrill/ui/typing_line.h"

namespace typedrill::ui {
namespace {

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

    // The box holds one line: a line is all of its text.
    QString around(int offset, QAccessible::TextBoundaryType type, int step, int* startOffset, int* endOffset) const {
        static const std::vector<int> oneLine{0};
        return accessiblePiece(box()->text(), oneLine, offset, type, step, startOffset, endOffset);
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
