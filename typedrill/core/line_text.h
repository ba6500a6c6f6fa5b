// The typing box's text model: text, cursor and selection, steps by characters
// and words, the length limit and the undo history, without a widget.
#pragma once

#include <QString>

#include <algorithm>
#include <limits>
#include <vector>

namespace typedrill {

class LineText {
public:
    // How an edit joins the undo history: edits of one kind in a row go as one
    // step while the cursor stays, and so do a removed selection and the edit
    // right after it; an input method's mending starts a step that typing joins.
    enum class EditKind { Typing, Backspace, Delete, Selection, Mending, Other };
    // One change of the text: [at, at + removed.size()) became `inserted`.
    struct Change {
        int at;
        QString removed, inserted;
    };

    const QString& text() const { return text_; }
    int size() const { return static_cast<int>(text_.size()); }
    int cursor() const { return cursor_; }
    int anchor() const { return anchor_; }  // the selection's other end; the cursor when none
    bool hasSelection() const { return anchor_ != cursor_; }
    int selectionStart() const { return std::min(anchor_, cursor_); }
    int selectionEnd() const { return std::max(anchor_, cursor_); }
    QString selectedText() const { return text_.mid(selectionStart(), selectionEnd() - selectionStart()); }

    // At most this many characters are held; no limit by default.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = std::max(0, length); }

    // Replaces the text (cut to the limit) and forgets the history; the cursor goes to the end.
    void setText(const QString& text);
    // Moves the cursor, keeping the anchor when `select`; a move ends the undo step.
    void moveCursor(int position, bool select);
    // Puts the cursor and the anchor where an input method says, the step kept.
    void place(int cursor, int anchor);
    // The next edit joins the step of the one just made (one event's edits).
    void joinNext(bool join) { joinNext_ = join; }

    // Replaces [start, end) with `piece`, cut to what the limit leaves room for;
    // the cursor ends after it. False when nothing changed.
    bool splice(int start, int end, QString piece, EditKind kind, Change* made);
    bool canUndo() const { return undone_ > 0; }
    bool canRedo() const { return undone_ < static_cast<int>(history_.size()); }
    // Takes back the last step (or does again the last one taken back), giving
    // the changes made in order; the selection comes back as it was.
    std::vector<Change> undo();
    std::vector<Change> redo();

    // Grapheme clusters and a line edit's word steps, found in a local stretch.
    int graphemeStart(int position) const;
    int nextGrapheme(int position) const;
    int previousGrapheme(int position) const;
    int wordStep(int position, bool forward) const;

private:
    struct Step {
        EditKind kind;
        std::vector<Change> changes;
        int cursorBefore, anchorBefore;
    };
    void apply(const Change& change, bool forward);

    QString text_;
    int cursor_ = 0;
    int anchor_ = 0;
    int maxLength_ = std::numeric_limits<int>::max();
    std::vector<Step> history_;
    int undone_ = 0;          // steps in history_ before the undo point
    bool separate_ = true;    // the next edit starts a step of its own
    bool joinNext_ = false;
};

}  // namespace typedrill
