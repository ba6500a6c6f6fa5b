// The typing box: a single-line text box whose every change costs the same
// however long its text has grown.
#pragma once

#include <QBasicTimer>
#include <QString>
#include <QTextLayout>
#include <QWidget>

#include <memory>

#include "typedrill/core/line_text.h"

class QStyleOptionFrame;

namespace typedrill::ui {

// A line edit for long texts. The text is kept in one QString (LineText); the box scrolls
// by character index (the first character shown, and by how many pixels it
// stands out left of the box), and only the stretch in view is ever laid out,
// so typing at the end of a 100,000-character text costs what it costs at 1,000. It draws its frame and colours as the style draws a line edit.
// Screen readers see it through typing_line_accessible.cpp.
class TypingLine final : public QWidget {
    Q_OBJECT
public:
    explicit TypingLine(QWidget* parent = nullptr);
    ~TypingLine() override;

    const QString& text() const { return model_.text(); }
    void setText(const QString& text);
    void clear();

    int cursorPosition() const { return model_.cursor(); }
    void setCursorPosition(int position);
    bool hasSelectedText() const { return model_.hasSelection(); }
    QString selectedText() const { return model_.selectedText(); }
    int selectionStart() const { return model_.selectionStart(); }
    int selectionEnd() const { return model_.selectionEnd(); }
    // Selects from `start` for `length` characters, the cursor at the far end.
    void setSelection(int start, int length);
    void selectAll();
    void deselect();

    // At most this many characters are held; what an edit brings past it is
    // refused, as a line edit refuses it. No limit by default.
    int maxLength() const { return model_.maxLength(); }
    void setMaxLength(int length);

    // Replaces characters [start, end) with `text` as one edit; the cursor ends after it.
    void replace(int start, int end, const QString& text);
    void insert(const QString& text);  // at the cursor, over the selection
    void backspace();
    void del();
    void copy() const;
    void cut();
    void paste();
    // Takes back the last edit, or does again the last one taken back; edits of
    // one kind typed one after the other without moving the cursor go as one.
    void undo();
    void redo();
    bool isUndoAvailable() const { return model_.canUndo(); }
    bool isRedoAvailable() const { return model_.canRedo(); }

    // What is shown: the first character in view and the preedit of the input method.
    int firstVisible() const;
    const QString& preeditText() const { return preedit_; }
    // The box of the character at `position` in widget coordinates, or a null
    // rectangle when it is not in view.
    QRect characterRect(int position) const;
    // The text position nearest to a widget point (the shown stretch only).
    int positionAt(QPoint point) const;
    QRect cursorRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // Emitted whenever the text changes, by the user or through setText and clear.
    void textChanged(const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Shown;  // the stretch in view, laid out
    using EditKind = LineText::EditKind;

    void initStyleOption(QStyleOptionFrame* option) const;
    QRect lineRect() const;
    QPoint layoutOrigin() const;
    int initialChunk() const;
    const Shown& shown() const;
    void placeWindow() const;
    std::unique_ptr<Shown> layOut(int from, int to) const;
    std::unique_ptr<Shown> layForward(int from, int beyond) const;
    int fitBackwards(int end, bool toCursor, int* beyond) const;
    bool splice(int start, int end, QString piece, EditKind kind = EditKind::Other);
    void applied(const LineText::Change& change);
    void cursorMoved();
    void deleteWord(bool forward);
    void setPrimarySelection() const;
    void moveCursor(int position, bool select);
    void changed();
    void resetPreedit();
    void restartBlink();
    bool cursorShown() const;

    LineText model_;  // text, cursor, selection and undo history
    QString preedit_;
    int preeditCursor_ = 0;
    bool preeditHidesCursor_ = false;
    QList<QTextLayout::FormatRange> preeditFormats_;  // relative to the preedit

    mutable int first_ = 0;  // the first character in view
    mutable int shift_ = 0;  // pixels of it hidden left of the box
    mutable std::unique_ptr<Shown> shown_;
    QBasicTimer blink_;
    bool blinkOn_ = true;
    bool selectingByMouse_ = false;
    QBasicTimer tripleClick_;   // running for a double-click interval after a double click
    QPoint tripleClickAt_;
};

}  // namespace typedrill::ui
