// The lesson box's accessible text.
#include "typedrill/ui/lesson_box_accessible.h"

#include <QAccessibleWidget>
#include <QScrollBar>

#include <algorithm>

#include "typedrill/ui/accessible_pieces.h"
#include "typedrill/ui/lesson_box.h"

namespace typedrill::ui {
namespace {

// An attribute run is looked for at most this far either side of the asked
// offset, so one question costs the same in a long uniform lesson as in a short one.
constexpr int kRunReach = 4096;

QString rgb(const QColor& c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

class LessonBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LessonBoxAccessible(LessonBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.editable = false;
        return s;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return box()->lesson();
        return QAccessibleWidget::text(t);
    }

    // The user never selects in the lesson box.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}

    // The caret is the exercise's place; a screen reader cannot move it.
    int cursorPosition() const override { return box()->caret(); }
    void setCursorPosition(int) override {}

    QString text(int startOffset, int endOffset) const override {
        const QString& lesson = box()->lesson();
        const int from = std::clamp(startOffset, 0, static_cast<int>(lesson.size()));
        const int to = endOffset < 0 ? static_cast<int>(lesson.size()) : std::clamp(endOffset, from, static_cast<int>(lesson.size()));
        return lesson.mid(from, to - from);
    }
    int characterCount() const override { return static_cast<int>(box()->lesson().size()); }

    QRect characterRect(int offset) const override {
        const QRect r = box()->characterRect(offset);
        if (r.isNull()) return {};
        return {box()->viewport()->mapToGlobal(r.topLeft()), r.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->positionAt(box()->viewport()->mapFromGlobal(point));
    }

    void scrollToSubstring(int startIndex, int) override { box()->showCharacter(startIndex); }

    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        const LessonBox* b = box();
        const int count = static_cast<int>(b->lesson().size());
        if (offset < 0 || offset >= count) {
            *startOffset = *endOffset = std::clamp(offset, 0, count);
            return {};
        }
        const Mark mark = b->markAt(offset);
        int from = offset, to = offset + 1;
        while (from > 0 && offset - from < kRunReach && b->markAt(from - 1) == mark) --from;
        while (to < count && to - offset < kRunReach && b->markAt(to) == mark) ++to;
        *startOffset = from;
        *endOffset = to;
        const QColor fore = mark == Mark::Yellow ? QColor(255, 255, 0) : QColor(0, 0, 0);
        return QStringLiteral("background-color:%1;color:%2;")
            .arg(rgb(b->palette().color(QPalette::Base)), rgb(fore));
    }

    // Lines as the box draws them.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                             int* endOffset) const override {
        return accessiblePiece(box()->lesson(), box()->lineStarts(), offset, type, -1, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override {
        return accessiblePiece(box()->lesson(), box()->lineStarts(), offset, type, 0, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                            int* endOffset) const override {
        return accessiblePiece(box()->lesson(), box()->lineStarts(), offset, type, 1, startOffset, endOffset);
    }

private:
    LessonBox* box() const { return static_cast<LessonBox*>(widget()); }
};

QAccessibleInterface* lessonBoxFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(LessonBox::staticMetaObject.className())) return nullptr;
    if (auto* box = qobject_cast<LessonBox*>(object)) return new LessonBoxAccessible(box);
    return nullptr;
}

}  // namespace

void installLessonBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(lessonBoxFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace typedrill::ui
