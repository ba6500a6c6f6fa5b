// The typing box.
#include "typedrill/ui/typing_line.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBoundaryFinder>
#include <QTextCharFormat>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "typedrill/ui/typing_line_accessible.h"

namespace typedrill::ui {
namespace {

// A line edit's own text margins inside its contents rectangle, in pixels.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;
// A grapheme cluster is looked for this far either side of a position.
constexpr int kClusterReach = 32;
// At most this many characters go through one layout (zero-width marks could
// otherwise make a stretch that fills the width as long as the text).
constexpr int kMaxStretch = 4096;
// The input method is offered this many characters either side of the cursor.
constexpr int kSurroundingReach = 512;

// Characters a line edit shows as blanks, so that no box is drawn for them.
QString displayable(QStringView piece) {
    QString shown = piece.toString();
    for (QChar& c : shown) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == QChar::LineSeparator || u == QChar::ParagraphSeparator ||
            u == QChar::ObjectReplacementCharacter)
            c = QLatin1Char(' ');
    }
    return shown;
}

// Typed text a key press may insert: printable, not a control chord.
bool insertable(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format) return true;
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier)) return false;
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse) return true;
    return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

struct KeyAction {
    QKeySequence::StandardKey key;
    enum Kind { Move, Select } kind;
    enum Where { PreviousChar, NextChar, Start, End, PreviousWord, NextWord } where;
};
const KeyAction kMoves[] = {
    {QKeySequence::MoveToPreviousChar, KeyAction::Move, KeyAction::PreviousChar},
    {QKeySequence::MoveToNextChar, KeyAction::Move, KeyAction::NextChar},
    {QKeySequence::MoveToStartOfLine, KeyAction::Move, KeyAction::Start},
    {QKeySequence::MoveToStartOfBlock, KeyAction::Move, KeyAction::Start},
    {QKeySequence::MoveToStartOfDocument, KeyAction::Move, KeyAction::Start},
    {QKeySequence::MoveToEndOfLine, KeyAction::Move, KeyAction::End},
    {QKeySequence::MoveToEndOfBlock, KeyAction::Move, KeyAction::End},
    {QKeySequence::MoveToEndOfDocument, KeyAction::Move, KeyAction::End},
    {QKeySequence::MoveToPreviousWord, KeyAction::Move, KeyAction::PreviousWord},
    {QKeySequence::MoveToNextWord, KeyAction::Move, KeyAction::NextWord},
    {QKeySequence::SelectPreviousChar, KeyAction::Select, KeyAction::PreviousChar},
    {QKeySequence::SelectNextChar, KeyAction::Select, KeyAction::NextChar},
    {QKeySequence::SelectStartOfLine, KeyAction::Select, KeyAction::Start},
    {QKeySequence::SelectStartOfBlock, KeyAction::Select, KeyAction::Start},
    {QKeySequence::SelectStartOfDocument, KeyAction::Select, KeyAction::Start},
    {QKeySequence::SelectEndOfLine, KeyAction::Select, KeyAction::End},
    {QKeySequence::SelectEndOfBlock, KeyAction::Select, KeyAction::End},
    {QKeySequence::SelectEndOfDocument, KeyAction::Select, KeyAction::End},
    {QKeySequence::SelectPreviousWord, KeyAction::Select, KeyAction::PreviousWord},
    {QKeySequence::SelectNextWord, KeyAction::Select, KeyAction::NextWord},
};
const QKeySequence::StandardKey kEditKeys[] = {
    QKeySequence::SelectAll, QKeySequence::Copy,          QKeySequence::Cut,           QKeySequence::Paste,
    QKeySequence::Delete,    QKeySequence::Backspace,     QKeySequence::Undo,          QKeySequence::Redo,
    QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord};

}  // namespace

// A stretch of the text, [from, to), laid out on one line, with the preedit
// spliced in at the cursor when the cursor lies within it.
struct TypingLine::Shown {
    int from = 0, to = 0;
    int preeditAt = -1;  // text position the preedit stands at, or -1
    int preeditLength = 0;
    int cursorInLayout = -1;  // where the cursor is drawn, or -1 outside the stretch
    QTextLayout layout;

    QTextLine line() const { return layout.lineAt(0); }
    int toLayout(int position) const {
        position = std::clamp(position, from, to);
        return position - from + (preeditAt >= 0 && position > preeditAt ? preeditLength : 0);
    }
    int toText(int layoutPosition) const {
        if (preeditAt >= 0 && from + layoutPosition > preeditAt) {
            if (from + layoutPosition <= preeditAt + preeditLength) return preeditAt;
            return from + layoutPosition - preeditLength;
        }
        return from + layoutPosition;
    }
    qreal x(int position) const { return line().cursorToX(toLayout(position)); }
    qreal width() const { return line().naturalTextWidth(); }
    qreal cursorX(int cursor) const {
        if (cursor < from) return -std::numeric_limits<qreal>::infinity();
        if (cursor > to) return std::numeric_limits<qreal>::infinity();
        return line().cursorToX(cursorInLayout);
    }
};

TypingLine::TypingLine(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed, QSizePolicy::LineEdit));
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
    installTypingLineAccessibility();
}

TypingLine::~TypingLine() = default;

// ---- text and selection

void TypingLine::setText(const QString& given) {
    resetPreedit();
    QString text = given.size() > maxLength_ ? given.left(maxLength_) : given;
    if (text.size() == maxLength_ && !text.isEmpty() && text.back().isHighSurrogate()) text.chop(1);
    history_.clear();
    undone_ = 0;
    separate_ = true;
    const bool same = text == text_;
    if (!same) {
        const QString old = text_;
        text_ = text;
        first_ = std::min(first_, static_cast<int>(text_.size()));
        if (QAccessible::isActive()) {
            if (!old.isEmpty()) {
                QAccessibleTextRemoveEvent removed(this, 0, old);
                QAccessible::updateAccessibility(&removed);
            }
            if (!text_.isEmpty()) {
                QAccessibleTextInsertEvent inserted(this, 0, text_);
                QAccessible::updateAccessibility(&inserted);
            }
        }
    }
    cursor_ = anchor_ = static_cast<int>(text_.size());
    changed();
    if (!same) emit textChanged(text_);
}

void TypingLine::clear() { setText(QString()); }

void TypingLine::setMaxLength(int length) {
    maxLength_ = std::max(0, length);
    if (text_.size() > maxLength_) setText(text_);
}

QString TypingLine::selectedText() const { return text_.mid(selectionStart(), selectionEnd() - selectionStart()); }

void TypingLine::setCursorPosition(int position) { moveCursor(position, false); }

void TypingLine::setSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    if (anchor_ != std::clamp(start, 0, size)) separate_ = true;
    anchor_ = std::clamp(start, 0, size);
    moveCursor(std::clamp(start + length, 0, size), true);
}

void TypingLine::selectAll() {
    if (anchor_ != 0) separate_ = true;
    anchor_ = 0;
    moveCursor(static_cast<int>(text_.size()), true);
}

void TypingLine::deselect() {
    if (!hasSelectedText()) return;
    moveCursor(cursor_, false);
}

// Replaces [start, end) with `piece`, cut to what the length limit leaves room
// for, and keeps the edit for undo: with the step before when it is of the same
// kind and the cursor has not been moved since.
bool TypingLine::splice(int start, int end, QString piece, EditKind kind) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, start, size);
    const qsizetype room = static_cast<qsizetype>(maxLength_) - (size - (end - start));
    if (piece.size() > room) {
        piece.truncate(std::max<qsizetype>(0, room));
        if (!piece.isEmpty() && piece.back().isHighSurrogate()) piece.chop(1);
    }
    if (start == end && piece.isEmpty()) return false;
    Splice edit{start, text_.mid(start, end - start), piece};
    history_.resize(static_cast<std::size_t>(undone_));
    // Edits of one kind go together, and the removal of a selection with the edit
    // right after it, while the cursor stays.
    // An input method's mending always starts a step, and typing after it joins it.
    const bool join = !history_.empty() && kind != EditKind::Mending &&
                      (joinStep_ || (!separate_ && kind != EditKind::Other &&
                                     (history_.back().kind == kind || history_.back().kind == EditKind::Selection)));
    const EditKind joinsAs = kind == EditKind::Mending ? EditKind::Typing : kind;
    if (!join) history_.push_back({joinsAs, {}, cursor_, anchor_});
    else if (kind != EditKind::Other) history_.back().kind = joinsAs;  // the next edit joins by the latest kind
    history_.back().splices.push_back(std::move(edit));
    undone_ = static_cast<int>(history_.size());
    separate_ = kind == EditKind::Other;
    apply(history_.back().splices.back(), true);
    return true;
}

// Makes one kept edit (`forward`) or takes it back; the cursor ends after what is put in.
void TypingLine::apply(const Splice& edit, bool forward) {
    const QString& gone = forward ? edit.removed : edit.inserted;
    const QString& put = forward ? edit.inserted : edit.removed;
    const int start = edit.at, size = static_cast<int>(text_.size());
    if (gone.isEmpty() && start == size) text_.append(put);  // typing at the end: amortised constant
    else if (gone.isEmpty()) text_.insert(start, put);
    else if (put.isEmpty()) text_.remove(start, gone.size());
    else text_.replace(start, gone.size(), put);
    cursor_ = anchor_ = start + static_cast<int>(put.size());
    if (start < first_) first_ = start, shift_ = 0;
    if (QAccessible::isActive()) {
        if (!gone.isEmpty()) {
            QAccessibleTextRemoveEvent event(this, start, gone);
            QAccessible::updateAccessibility(&event);
        }
        if (!put.isEmpty()) {
            QAccessibleTextInsertEvent event(this, start, put);
            QAccessible::updateAccessibility(&event);
        }
        // Braille displays and magnifiers follow the caret as it moves with the typing.
        QAccessibleTextCursorEvent moved(this, cursor_);
        QAccessible::updateAccessibility(&moved);
    }
}

void TypingLine::undo() {
    if (undone_ == 0) return;
    resetPreedit();
    const Step& step = history_[static_cast<std::size_t>(--undone_)];
    for (auto it = step.splices.rbegin(); it != step.splices.rend(); ++it) apply(*it, false);
    const int size = static_cast<int>(text_.size());
    anchor_ = std::clamp(step.anchorBefore, 0, size);
    moveCursor(step.cursorBefore, true);
    separate_ = true;  // nothing joins a step brought back, not even after a redo
    emit textChanged(text_);
}

void TypingLine::redo() {
    if (undone_ >= static_cast<int>(history_.size())) return;
    resetPreedit();
    const Step& step = history_[static_cast<std::size_t>(undone_++)];
    for (const Splice& edit : step.splices) apply(edit, true);
    moveCursor(cursor_, false);
    emit textChanged(text_);
}

void TypingLine::replace(int start, int end, const QString& piece) {
    if (!splice(start, end, piece)) return;
    changed();
    emit textChanged(text_);
}

// Text put in goes with what was typed just before, as a line edit keeps it for undo.
void TypingLine::insert(const QString& piece) {
    if (!splice(selectionStart(), selectionEnd(), piece, piece.isEmpty() ? EditKind::Selection : EditKind::Typing)) return;
    changed();
    emit textChanged(text_);
}

void TypingLine::backspace() {
    if (hasSelectedText()) return insert(QString());
    if (cursor_ == 0) return;
    // One code point back, as a line edit takes it: a cluster's marks one by one.
    int from = cursor_ - 1;
    if (from > 0 && text_.at(from).isLowSurrogate() && text_.at(from - 1).isHighSurrogate()) --from;
    if (splice(from, cursor_, QString(), EditKind::Backspace)) changed(), emit textChanged(text_);
}

void TypingLine::del() {
    if (hasSelectedText()) return insert(QString());
    if (splice(cursor_, nextGrapheme(cursor_), QString(), EditKind::Delete)) changed(), emit textChanged(text_);
}

// Ctrl+Backspace and Ctrl+Delete, as a line edit takes them: the selection is
// stretched from the cursor by a word step and then deleted, so that undo brings
// it back selected.
void TypingLine::deleteWord(bool forward) {
    moveCursor(wordStep(cursor_, forward), true);
    if (hasSelectedText()) insert(QString());
}

// X11's primary selection follows what is selected, where the platform has one.
void TypingLine::setPrimarySelection() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelectedText() && clipboard->supportsSelection()) clipboard->setText(selectedText(), QClipboard::Selection);
}

void TypingLine::copy() const {
    if (hasSelectedText()) QGuiApplication::clipboard()->setText(selectedText());
}

void TypingLine::cut() {
    if (!hasSelectedText()) return;
    copy();
    insert(QString());
}

void TypingLine::paste() {
    const QString clip = QGuiApplication::clipboard()->text();
    if (!clip.isEmpty() || hasSelectedText()) insert(clip);
}

void TypingLine::moveCursor(int position, bool select) {
    const int size = static_cast<int>(text_.size());
    const int to = std::clamp(position, 0, size);
    if (to != cursor_) separate_ = true;
    cursor_ = to;
    if (!select) anchor_ = cursor_;
    changed();
    if (QAccessible::isActive()) {
        if (hasSelectedText()) {
            QAccessibleTextSelectionEvent event(this, selectionStart(), selectionEnd());
            event.setCursorPosition(cursor_);
            QAccessible::updateAccessibility(&event);
        } else {
            QAccessibleTextCursorEvent event(this, cursor_);
            QAccessible::updateAccessibility(&event);
        }
    }
}

// Something shown changed: lay out again when next asked, repaint, keep the
// cursor lit and tell the input method where it now is.
void TypingLine::changed() {
    shown_.reset();
    restartBlink();
    update();
    updateMicroFocus(Qt::ImQueryInput);
}

// Any unfinished input-method text is given up (the text is being replaced).
void TypingLine::resetPreedit() {
    if (preedit_.isEmpty()) return;
    if (hasFocus()) QGuiApplication::inputMethod()->reset();
    preedit_.clear();
    preeditFormats_.clear();
    preeditHidesCursor_ = false;
}

// ---- positions: grapheme clusters and words, found in a local stretch only

int TypingLine::graphemeStart(int position) const {
    const int size = static_cast<int>(text_.size());
    if (position <= 0) return 0;
    if (position >= size) return size;
    const int from = std::max(0, position - kClusterReach);
    const int to = std::min(size, position + kClusterReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(text_).mid(from, to - from));
    finder.setPosition(position - from);
    if (finder.isAtBoundary()) return position;
    const qsizetype back = finder.toPreviousBoundary();
    return back < 0 ? from : from + static_cast<int>(back);
}

int TypingLine::nextGrapheme(int position) const {
    const int size = static_cast<int>(text_.size());
    if (position >= size) return size;
    const int from = std::max(0, position);
    const int to = std::min(size, from + kClusterReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(text_).mid(from, to - from));
    const qsizetype next = finder.toNextBoundary();
    return next <= 0 ? to : from + static_cast<int>(next);
}

int TypingLine::previousGrapheme(int position) const {
    if (position <= 0) return 0;
    return graphemeStart(position - 1);
}

// Word steps as a line edit takes them: a run of separator marks, or of other
// characters up to a blank, then the blanks after it (before it, going back).
int TypingLine::wordStep(int position, bool forward) const {
    const int size = static_cast<int>(text_.size());
    auto separator = [&](int i) { return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(text_.at(i)); };
    auto blank = [&](int i) { return text_.at(i).isSpace(); };
    int p = position;
    if (forward) {
        if (p < size && separator(p)) {
            while (++p < size && separator(p)) {}
        } else {
            while (p < size && !blank(p) && !separator(p)) ++p;
        }
        while (p < size && blank(p)) ++p;
    } else {
        while (p > 0 && blank(p - 1)) --p;
        if (p > 0 && separator(p - 1)) {
            while (--p > 0 && separator(p - 1)) {}
        } else {
            while (p > 0 && !blank(p - 1) && !separator(p - 1)) --p;
        }
    }
    return p;
}

// ---- what is in view

QRect TypingLine::lineRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const int height = fontMetrics().height();
    const int top = r.y() + (r.height() - height + 1) / 2;
    return {r.x() + kHorizontalMargin, top, r.width() - 2 * kHorizontalMargin, height};
}

int TypingLine::initialChunk() const {
    return std::max(16, lineRect().width() / std::max(1, fontMetrics().averageCharWidth()) + 8);
}

std::unique_ptr<TypingLine::Shown> TypingLine::layOut(int from, int to) const {
    auto s = std::make_unique<Shown>();
    s->from = from;
    s->to = to;
    const QStringView all(text_);
    QString string;
    const bool withCursor = cursor_ >= from && cursor_ <= to;
    if (withCursor && !preedit_.isEmpty()) {
        s->preeditAt = cursor_;
        s->preeditLength = static_cast<int>(preedit_.size());
        string = displayable(all.mid(from, cursor_ - from)) + preedit_ + displayable(all.mid(cursor_, to - cursor_));
    } else {
        string = displayable(all.mid(from, to - from));
    }
    if (withCursor) s->cursorInLayout = cursor_ - from + (preedit_.isEmpty() ? 0 : preeditCursor_);
    s->layout.setText(string);
    s->layout.setFont(font());
    QTextOption option;
    option.setTextDirection(layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    s->layout.setTextOption(option);
    if (s->preeditAt >= 0) {
        QList<QTextLayout::FormatRange> formats = preeditFormats_;
        for (auto& f : formats) f.start += cursor_ - from;
        s->layout.setFormats(formats);
    }
    s->layout.beginLayout();
    s->layout.createLine();
    s->layout.endLayout();
    return s;
}

// Lays out from `from` forwards until the stretch is wider than the box by `beyond` pixels.
std::unique_ptr<TypingLine::Shown> TypingLine::layForward(int from, int beyond) const {
    const int size = static_cast<int>(text_.size());
    const int room = lineRect().width() + beyond;
    for (int chunk = initialChunk();; chunk *= 2) {
        int to = std::min(size, from + chunk);
        if (to < size) to = std::max(graphemeStart(to), nextGrapheme(from));
        auto s = layOut(from, to);
        if (to == size || s->width() > room || chunk >= kMaxStretch) return s;
    }
}

// The first character to show so that the text up to `end` (the cursor, or the
// text's end) ends at the box's right edge: lays out backwards from `end`. That
// character may stand partly left of the box; *beyond says by how many pixels.
int TypingLine::fitBackwards(int end, bool toCursor, int* beyond) const {
    const int room = lineRect().width() - 1;
    for (int chunk = initialChunk();; chunk *= 2) {
        const int from = graphemeStart(std::max(0, end - chunk));
        const auto s = layOut(from, end);
        const qreal right = toCursor ? s->cursorX(cursor_) : s->width();
        if (right <= room && from > 0 && chunk < kMaxStretch) continue;  // more may fit
        std::vector<int> starts{from};
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(text_).mid(from, end - from));
        for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
            starts.push_back(from + static_cast<int>(at));
        auto fits = std::partition_point(starts.begin(), starts.end(), [&](int p) { return right - s->x(p) > room; });
        if (fits != starts.begin() && (fits == starts.end() || right - s->x(*fits) < room)) --fits;
        *beyond = std::max(0, static_cast<int>(std::ceil(right - s->x(*fits))) - room);
        return *fits;
    }
}

// Scrolls as a line edit does: the cursor kept inside the box (at its right edge
// when it went past it, at its left edge when it went before it), and no empty
// room after the text's end while text is hidden before it.
void TypingLine::placeWindow() const {
    const int size = static_cast<int>(text_.size());
    const int width = lineRect().width();
    first_ = graphemeStart(std::clamp(first_, 0, size));
    if (cursor_ < first_ || (cursor_ == first_ && shift_ > 0)) {
        first_ = graphemeStart(cursor_);
        shift_ = 0;
    }
    auto s = layForward(first_, shift_);
    int beyond = 0;
    if (qRound(s->cursorX(cursor_)) - shift_ >= width) {
        first_ = fitBackwards(cursor_, true, &beyond);
        s = layForward(first_, beyond + 2);
        shift_ = std::max(0, qRound(s->cursorX(cursor_)) - width + 1);
    } else if (s->to == size && (first_ > 0 || shift_ > 0) && qRound(s->width()) + 1 - shift_ < width) {
        first_ = fitBackwards(size, false, &beyond);
        s = layForward(first_, beyond + 2);
        shift_ = std::max(0, qRound(s->width()) + 1 - width + 1);
    }
    shown_ = std::move(s);
}

const TypingLine::Shown& TypingLine::shown() const {
    if (!shown_) placeWindow();
    return *shown_;
}

int TypingLine::firstVisible() const { return shown().from; }

QPoint TypingLine::layoutOrigin() const {
    const Shown& s = shown();
    const QRect r = lineRect();
    // The baseline stays put whatever scripts the stretch holds.
    return {r.left() - shift_, r.top() - (qRound(s.line().ascent()) - fontMetrics().ascent())};
}

QRect TypingLine::characterRect(int position) const {
    const Shown& s = shown();
    if (position < s.from || position >= s.to) return {};
    const QRect r = lineRect();
    const QPoint origin = layoutOrigin();
    const int left = origin.x() + qRound(s.x(position));
    const int right = origin.x() + qRound(s.x(nextGrapheme(position)));
    if (left > r.right()) return {};
    return {left, r.top(), std::max(1, right - left), r.height()};
}

int TypingLine::positionAt(QPoint point) const {
    const Shown& s = shown();
    const int at = s.line().xToCursor(point.x() - layoutOrigin().x(), QTextLine::CursorBetweenCharacters);
    return s.toText(at);
}

QRect TypingLine::cursorRect() const {
    const Shown& s = shown();
    const QPoint origin = layoutOrigin();
    const int x = s.cursorInLayout < 0 ? 0 : qRound(s.line().cursorToX(s.cursorInLayout));
    const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    return {origin.x() + x - 5, origin.y(), width + 9, qRound(s.line().height()) + 1};
}

// ---- painting

void TypingLine::initStyleOption(QStyleOptionFrame* option) const {
    option->initFrom(this);
    option->rect = contentsRect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    option->features = QStyleOptionFrame::None;
}

bool TypingLine::cursorShown() const {
    if (!hasFocus() || !isEnabled()) return false;
    if (!preedit_.isEmpty() && preeditHidesCursor_) return false;
    if (!hasSelectedText()) return true;
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &panel, this) != 0;
}

void TypingLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    p.setClipRect(contents);

    const Shown& s = shown();
    const QPalette pal = palette();
    p.setPen(pal.text().color());
    QList<QTextLayout::FormatRange> selections;
    const int selFrom = std::max(selectionStart(), s.from), selTo = std::min(selectionEnd(), s.to);
    if (selFrom < selTo) {
        QTextLayout::FormatRange range;
        range.start = s.toLayout(selFrom);
        range.length = s.toLayout(selTo) - range.start;
        range.format.setBackground(pal.brush(QPalette::Highlight));
        range.format.setForeground(pal.brush(QPalette::HighlightedText));
        selections.append(range);
    }
    const QPoint origin = layoutOrigin();
    s.layout.draw(&p, origin, selections, contents);
    if (blinkOn_ && cursorShown() && s.cursorInLayout >= 0)
        s.layout.drawCursor(&p, origin, s.cursorInLayout, style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this));
}

void TypingLine::restartBlink() {
    blinkOn_ = true;
    const int period = QApplication::cursorFlashTime();
    if (hasFocus() && period >= 2) blink_.start(period / 2, this);
    else blink_.stop();
}

void TypingLine::timerEvent(QTimerEvent* event) {
    if (event->timerId() == tripleClick_.timerId()) return tripleClick_.stop();
    if (event->timerId() != blink_.timerId()) return QWidget::timerEvent(event);
    blinkOn_ = !blinkOn_;
    update(cursorRect());
}

QSize TypingLine::sizeHint() const {
    ensurePolished();
    const QFontMetrics fm(font());
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int h = std::max(fm.height(), std::max(14, iconSize - 2)) + 2 * kVerticalMargin;
    const int w = fm.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * kHorizontalMargin;
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &panel, QSize(w, h), this);
}

QSize TypingLine::minimumSizeHint() const {
    ensurePolished();
    const QFontMetrics fm = fontMetrics();
    const int h = fm.height() + std::max(2 * kVerticalMargin, fm.leading());
    const int w = fm.maxWidth();
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &panel, QSize(w, h), this);
}

// ---- keyboard and mouse

bool TypingLine::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Editing keys belong to the box, ahead of any application shortcut.
        auto* key = static_cast<QKeyEvent*>(event);
        for (const auto& move : kMoves)
            if (key->matches(move.key)) return event->accept(), true;
        for (auto edit : kEditKeys)
            if (key->matches(edit)) return event->accept(), true;
        const auto mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) && insertable(key)) return event->accept(), true;
    }
    return QWidget::event(event);
}

void TypingLine::keyPressEvent(QKeyEvent* event) {
    for (const auto& move : kMoves) {
        if (!event->matches(move.key)) continue;
        const bool select = move.kind == KeyAction::Select;
        int to = cursor_;
        switch (move.where) {
        case KeyAction::PreviousChar: to = previousGrapheme(cursor_); break;
        case KeyAction::NextChar: to = nextGrapheme(cursor_); break;
        case KeyAction::Start: to = 0; break;
        case KeyAction::End: to = static_cast<int>(text_.size()); break;
        case KeyAction::PreviousWord: to = wordStep(cursor_, false); break;
        case KeyAction::NextWord: to = wordStep(cursor_, true); break;
        }
        moveCursor(to, select);
        if (select) setPrimarySelection();
        return event->accept();
    }
    if (event->matches(QKeySequence::SelectAll)) selectAll(), setPrimarySelection();
    else if (event->matches(QKeySequence::Undo)) undo();
    else if (event->matches(QKeySequence::Redo)) redo();
    else if (event->matches(QKeySequence::DeleteStartOfWord)) deleteWord(false);
    else if (event->matches(QKeySequence::DeleteEndOfWord)) deleteWord(true);
    else if (event->matches(QKeySequence::Copy)) copy();
    else if (event->matches(QKeySequence::Cut)) cut();
    else if (event->matches(QKeySequence::Paste)) paste();
    else if (event->matches(QKeySequence::Delete)) del();
    else if (event->matches(QKeySequence::Backspace) ||
             (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)))
        backspace();
    else if (insertable(event)) insert(event->text());
    else return event->ignore();
    event->accept();
}

void TypingLine::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) return event->accept();
    if (event->button() != Qt::LeftButton) return event->ignore();
    if (tripleClick_.isActive() &&
        (event->position().toPoint() - tripleClickAt_).manhattanLength() < QApplication::startDragDistance()) {
        tripleClick_.stop();
        selectAll();
        setPrimarySelection();
        return;
    }
    if (!preedit_.isEmpty()) {
        // A click ends the composition: what the input method does not commit is dropped.
        QGuiApplication::inputMethod()->commit();
        preedit_.clear();
        preeditFormats_.clear();
    }
    selectingByMouse_ = true;
    moveCursor(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void TypingLine::mouseMoveEvent(QMouseEvent* event) {
    if (!selectingByMouse_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint at = event->position().toPoint();
    // Dragging past the left edge scrolls back one character at a time.
    const int to = at.x() < lineRect().left() ? previousGrapheme(shown().from) : positionAt(at);
    if (to != cursor_) moveCursor(to, true);
}

void TypingLine::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        selectingByMouse_ = false;
        setPrimarySelection();
    } else if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
               rect().contains(event->position().toPoint())) {
        // A middle click pastes the primary selection where it is made.
        const QString primary = QGuiApplication::clipboard()->text(QClipboard::Selection);
        moveCursor(positionAt(event->position().toPoint()), false);
        if (!primary.isEmpty()) insert(primary);
    }
}

void TypingLine::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int at = positionAt(event->position().toPoint());
    const int size = static_cast<int>(text_.size());
    const int from = std::max(0, at - kSurroundingReach), to = std::min(size, at + kSurroundingReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, QStringView(text_).mid(from, to - from));
    finder.setPosition(at - from);
    const qsizetype before = finder.isAtBoundary() ? at - from : finder.toPreviousBoundary();
    finder.setPosition(at - from);
    const qsizetype after = finder.toNextBoundary();
    anchor_ = from + static_cast<int>(std::max<qsizetype>(0, before));
    moveCursor(after < 0 ? to : from + static_cast<int>(after), true);
    setPrimarySelection();
    tripleClick_.start(QApplication::doubleClickInterval(), this);
    tripleClickAt_ = event->position().toPoint();
}

// Text dragged in from anywhere goes in where it is dropped.
void TypingLine::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText()) event->acceptProposedAction();
}

void TypingLine::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText()) event->acceptProposedAction();
}

void TypingLine::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) return event->ignore();
    moveCursor(positionAt(event->position().toPoint()), false);
    insert(event->mimeData()->text());
    event->acceptProposedAction();
    setFocus(Qt::MouseFocusReason);
}

// The editing menu a line edit offers, in the captions of Qt's own translation.
void TypingLine::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    auto item = [&](const char* caption, QKeySequence::StandardKey key, bool enabled, auto act) {
        QString text = QCoreApplication::translate("QLineEdit", caption);
        const QString keys = QKeySequence(key).toString(QKeySequence::NativeText);
        if (!keys.isEmpty()) text += QLatin1Char('\t') + keys;
        menu.addAction(text, this, act)->setEnabled(enabled);
    };
    const bool selected = hasSelectedText();
    item("&Undo", QKeySequence::Undo, isUndoAvailable(), [this] { undo(); });
    item("&Redo", QKeySequence::Redo, isRedoAvailable(), [this] { redo(); });
    menu.addSeparator();
    item("Cu&t", QKeySequence::Cut, selected, [this] { cut(); });
    item("&Copy", QKeySequence::Copy, selected, [this] { copy(); });
    item("&Paste", QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(), [this] { paste(); });
    item("Delete", QKeySequence::UnknownKey, selected, [this] { insert(QString()); });
    menu.addSeparator();
    item("Select All", QKeySequence::SelectAll, !text_.isEmpty() && selectionEnd() - selectionStart() != text_.size(),
         [this] { selectAll(); });
    menu.exec(event->globalPos());
}

void TypingLine::focusInEvent(QFocusEvent* event) {
    if ((event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) && !hasSelectedText())
        selectAll();
    restartBlink();
    update();
    QWidget::focusInEvent(event);
}

void TypingLine::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) deselect();
    blink_.stop();
    update();
    QWidget::focusOutEvent(event);
}

void TypingLine::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::EnabledChange:
        shown_.reset();
        update();
        break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void TypingLine::resizeEvent(QResizeEvent* event) {
    shown_.reset();
    QWidget::resizeEvent(event);
}

// ---- input methods

void TypingLine::inputMethodEvent(QInputMethodEvent* event) {
    const QString& commit = event->commitString();
    const bool input = !commit.isEmpty() || event->preeditString() != preedit_ || event->replacementLength() > 0;
    bool edited = false;
    if (input && hasSelectedText()) edited |= splice(selectionStart(), selectionEnd(), QString(), EditKind::Selection);
    joinStep_ = edited;  // the commit goes with the selection it replaced

    // The cursor after the commit, when the event moves it without committing.
    int after = cursor_;
    if (event->replacementStart() <= 0)
        after += static_cast<int>(commit.size()) -
                 std::min(-event->replacementStart(), event->replacementLength());
    const int at = std::clamp(cursor_ + event->replacementStart(), 0, static_cast<int>(text_.size()));
    if (event->replacementLength() > 0) {
        // Undo brings the mended characters back selected, as a line edit does.
        anchor_ = std::min(at + event->replacementLength(), static_cast<int>(text_.size()));
        cursor_ = at;
    }
    edited |= splice(at, at + event->replacementLength(), commit,
                     event->replacementLength() == 0 ? EditKind::Typing : EditKind::Mending);
    joinStep_ = false;
    after = std::clamp(after, 0, static_cast<int>(text_.size()));
    if (commit.isEmpty() && after != cursor_) cursor_ = anchor_ = after;

    preedit_ = event->preeditString();
    preeditCursor_ = static_cast<int>(preedit_.size());
    preeditHidesCursor_ = false;
    preeditFormats_.clear();
    for (const auto& a : event->attributes()) {
        if (a.type == QInputMethodEvent::Selection) {
            const int size = static_cast<int>(text_.size());
            cursor_ = std::clamp(a.start + a.length, 0, size);
            anchor_ = a.length ? std::clamp(a.start, 0, size) : cursor_;
        } else if (a.type == QInputMethodEvent::Cursor) {
            preeditCursor_ = std::clamp(a.start, 0, static_cast<int>(preedit_.size()));
            preeditHidesCursor_ = a.length == 0;
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat f = qvariant_cast<QTextFormat>(a.value).toCharFormat();
            if (f.isValid() && a.length > 0) preeditFormats_.append({a.start, a.length, f});
        }
    }
    // An input method that gives no format of its own gets the usual underline.
    if (!preedit_.isEmpty() && preeditFormats_.isEmpty()) {
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        preeditFormats_.append({0, static_cast<int>(preedit_.size()), underline});
    }
    changed();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, cursor_);
        QAccessible::updateAccessibility(&moved);
    }
    if (edited) emit textChanged(text_);
}

QVariant TypingLine::inputMethodQuery(Qt::InputMethodQuery query) const {
    const int size = static_cast<int>(text_.size());
    const int from = graphemeStart(std::max(0, cursor_ - kSurroundingReach));
    const int to = graphemeStart(std::min(size, cursor_ + kSurroundingReach));
    switch (query) {
    case Qt::ImEnabled: return isEnabled();
    case Qt::ImCursorRectangle: return cursorRect();
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition: return cursor_ - from;
    case Qt::ImAnchorPosition: return std::clamp(anchor_, from, to) - from;
    case Qt::ImSurroundingText: return text_.mid(from, to - from);
    case Qt::ImTextBeforeCursor: return text_.mid(from, cursor_ - from);
    case Qt::ImTextAfterCursor: return text_.mid(cursor_, to - cursor_);
    case Qt::ImCurrentSelection: return selectedText();
    case Qt::ImAbsolutePosition: return cursor_;
    case Qt::ImHints: return static_cast<int>(inputMethodHints());
    case Qt::ImMaximumTextLength: return maxLength_;
    case Qt::ImReadOnly: return false;
    default: return QWidget::inputMethodQuery(query);
    }
}

}  // namespace typedrill::ui
