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

void TypingLine::setText(const QString& text) {
    resetPreedit();
    const QString old = model_.text();
    model_.setText(text);
    const bool same = old == model_.text();
    if (!same) {
        first_ = std::min(first_, model_.size());
        if (QAccessible::isActive()) {
            if (!old.isEmpty()) {
                QAccessibleTextRemoveEvent removed(this, 0, old);
                QAccessible::updateAccessibility(&removed);
            }
            if (!model_.text().isEmpty()) {
                QAccessibleTextInsertEvent inserted(this, 0, model_.text());
                QAccessible::updateAccessibility(&inserted);
            }
        }
    }
    changed();
    if (!same) emit textChanged(model_.text());
}

void TypingLine::clear() { setText(QString()); }

void TypingLine::setMaxLength(int length) {
    model_.setMaxLength(length);
    if (model_.size() > model_.maxLength()) setText(model_.text());
}

void TypingLine::setCursorPosition(int position) { moveCursor(position, false); }

void TypingLine::setSelection(int start, int length) {
    model_.moveCursor(start, false);
    moveCursor(start + length, true);
}

void TypingLine::selectAll() {
    model_.moveCursor(0, false);
    moveCursor(model_.size(), true);
}

void TypingLine::deselect() {
    if (!hasSelectedText()) return;
    moveCursor(model_.cursor(), false);
}

// Replaces [start, end) with `piece` as far as the length limit leaves room,
// kept for undo by `kind`.
bool TypingLine::splice(int start, int end, QString piece, EditKind kind) {
    LineText::Change made;
    if (!model_.splice(start, end, std::move(piece), kind, &made)) return false;
    applied(made);
    return true;
}

// The view and screen readers follow one change of the text.
void TypingLine::applied(const LineText::Change& change) {
    if (change.at < first_) first_ = change.at, shift_ = 0;
    if (!QAccessible::isActive()) return;
    if (!change.removed.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, change.at, change.removed);
        QAccessible::updateAccessibility(&event);
    }
    if (!change.inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(this, change.at, change.inserted);
        QAccessible::updateAccessibility(&event);
    }
    // Braille displays and magnifiers follow the caret as it moves with the typing.
    QAccessibleTextCursorEvent moved(this, model_.cursor());
    QAccessible::updateAccessibility(&moved);
}

void TypingLine::undo() {
    if (!model_.canUndo()) return;
    resetPreedit();
    for (const LineText::Change& change : model_.undo()) applied(change);
    cursorMoved();
    emit textChanged(model_.text());
}

void TypingLine::redo() {
    if (!model_.canRedo()) return;
    resetPreedit();
    for (const LineText::Change& change : model_.redo()) applied(change);
    cursorMoved();
    emit textChanged(model_.text());
}

void TypingLine::replace(int start, int end, const QString& piece) {
    if (!splice(start, end, piece)) return;
    changed();
    emit textChanged(model_.text());
}

// Text put in goes with what was typed just before, as a line edit keeps it for undo.
void TypingLine::insert(const QString& piece) {
    if (!splice(selectionStart(), selectionEnd(), piece, piece.isEmpty() ? EditKind::Selection : EditKind::Typing)) return;
    changed();
    emit textChanged(model_.text());
}

void TypingLine::backspace() {
    if (hasSelectedText()) return insert(QString());
    if (model_.cursor() == 0) return;
    // One code point back, as a line edit takes it: a cluster's marks one by one.
    int from = model_.cursor() - 1;
    if (from > 0 && model_.text().at(from).isLowSurrogate() && model_.text().at(from - 1).isHighSurrogate()) --from;
    if (splice(from, model_.cursor(), QString(), EditKind::Backspace)) changed(), emit textChanged(model_.text());
}

void TypingLine::del() {
    if (hasSelectedText()) return insert(QString());
    if (splice(model_.cursor(), model_.nextGrapheme(model_.cursor()), QString(), EditKind::Delete)) changed(), emit textChanged(model_.text());
}

// Ctrl+Backspace and Ctrl+Delete, as a line edit takes them: the selection is
// stretched from the cursor by a word step and then deleted, so that undo brings
// it back selected.
void TypingLine::deleteWord(bool forward) {
    moveCursor(model_.wordStep(model_.cursor(), forward), true);
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
    model_.moveCursor(position, select);
    cursorMoved();
}

// Repaints and tells screen readers of the cursor and selection as they now are.
void TypingLine::cursorMoved() {
    changed();
    if (!QAccessible::isActive()) return;
    if (hasSelectedText()) {
        QAccessibleTextSelectionEvent event(this, selectionStart(), selectionEnd());
        event.setCursorPosition(model_.cursor());
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextCursorEvent event(this, model_.cursor());
        QAccessible::updateAccessibility(&event);
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
    const QStringView all(model_.text());
    QString string;
    const bool withCursor = model_.cursor() >= from && model_.cursor() <= to;
    if (withCursor && !preedit_.isEmpty()) {
        s->preeditAt = model_.cursor();
        s->preeditLength = static_cast<int>(preedit_.size());
        string = displayable(all.mid(from, model_.cursor() - from)) + preedit_ + displayable(all.mid(model_.cursor(), to - model_.cursor()));
    } else {
        string = displayable(all.mid(from, to - from));
    }
    if (withCursor) s->cursorInLayout = model_.cursor() - from + (preedit_.isEmpty() ? 0 : preeditCursor_);
    s->layout.setText(string);
    s->layout.setFont(font());
    QTextOption option;
    option.setTextDirection(layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    s->layout.setTextOption(option);
    if (s->preeditAt >= 0) {
        QList<QTextLayout::FormatRange> formats = preeditFormats_;
        for (auto& f : formats) f.start += model_.cursor() - from;
        s->layout.setFormats(formats);
    }
    s->layout.beginLayout();
    s->layout.createLine();
    s->layout.endLayout();
    return s;
}

// Lays out from `from` forwards until the stretch is wider than the box by `beyond` pixels.
std::unique_ptr<TypingLine::Shown> TypingLine::layForward(int from, int beyond) const {
    const int size = model_.size();
    const int room = lineRect().width() + beyond;
    for (int chunk = initialChunk();; chunk *= 2) {
        int to = std::min(size, from + chunk);
        if (to < size) to = std::max(model_.graphemeStart(to), model_.nextGrapheme(from));
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
        const int from = model_.graphemeStart(std::max(0, end - chunk));
        const auto s = layOut(from, end);
        const qreal right = toCursor ? s->cursorX(model_.cursor()) : s->width();
        if (right <= room && from > 0 && chunk < kMaxStretch) continue;  // more may fit
        std::vector<int> starts{from};
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(model_.text()).mid(from, end - from));
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
    const int size = model_.size();
    const int width = lineRect().width();
    first_ = model_.graphemeStart(std::clamp(first_, 0, size));
    if (model_.cursor() < first_ || (model_.cursor() == first_ && shift_ > 0)) {
        first_ = model_.graphemeStart(model_.cursor());
        shift_ = 0;
    }
    auto s = layForward(first_, shift_);
    int beyond = 0;
    if (qRound(s->cursorX(model_.cursor())) - shift_ >= width) {
        first_ = fitBackwards(model_.cursor(), true, &beyond);
        s = layForward(first_, beyond + 2);
        shift_ = std::max(0, qRound(s->cursorX(model_.cursor())) - width + 1);
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
    const int right = origin.x() + qRound(s.x(model_.nextGrapheme(position)));
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
        int to = model_.cursor();
        switch (move.where) {
        case KeyAction::PreviousChar: to = model_.previousGrapheme(model_.cursor()); break;
        case KeyAction::NextChar: to = model_.nextGrapheme(model_.cursor()); break;
        case KeyAction::Start: to = 0; break;
        case KeyAction::End: to = model_.size(); break;
        case KeyAction::PreviousWord: to = model_.wordStep(model_.cursor(), false); break;
        case KeyAction::NextWord: to = model_.wordStep(model_.cursor(), true); break;
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
    const int to = at.x() < lineRect().left() ? model_.previousGrapheme(shown().from) : positionAt(at);
    if (to != model_.cursor()) moveCursor(to, true);
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
    const int size = model_.size();
    const int from = std::max(0, at - kSurroundingReach), to = std::min(size, at + kSurroundingReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, QStringView(model_.text()).mid(from, to - from));
    finder.setPosition(at - from);
    const qsizetype before = finder.isAtBoundary() ? at - from : finder.toPreviousBoundary();
    finder.setPosition(at - from);
    const qsizetype after = finder.toNextBoundary();
    model_.moveCursor(from + static_cast<int>(std::max<qsizetype>(0, before)), false);
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
    item("Select All", QKeySequence::SelectAll, !model_.text().isEmpty() && selectionEnd() - selectionStart() != model_.text().size(),
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
    model_.joinNext(edited);  // the commit goes with the selection it replaced

    // The cursor after the commit, when the event moves it without committing.
    int after = model_.cursor();
    if (event->replacementStart() <= 0)
        after += static_cast<int>(commit.size()) -
                 std::min(-event->replacementStart(), event->replacementLength());
    const int at = std::clamp(model_.cursor() + event->replacementStart(), 0, model_.size());
    edited |= splice(at, at + event->replacementLength(), commit,
                     event->replacementLength() == 0 ? EditKind::Typing : EditKind::Mending);
    model_.joinNext(false);
    after = std::clamp(after, 0, model_.size());
    if (commit.isEmpty() && after != model_.cursor()) model_.place(after, after);

    preedit_ = event->preeditString();
    preeditCursor_ = static_cast<int>(preedit_.size());
    preeditHidesCursor_ = false;
    preeditFormats_.clear();
    for (const auto& a : event->attributes()) {
        if (a.type == QInputMethodEvent::Selection) {
            model_.place(a.start + a.length, a.length ? a.start : a.start + a.length);
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
        QAccessibleTextCursorEvent moved(this, model_.cursor());
        QAccessible::updateAccessibility(&moved);
    }
    if (edited) emit textChanged(model_.text());
}

QVariant TypingLine::inputMethodQuery(Qt::InputMethodQuery query) const {
    const int size = model_.size();
    const int from = model_.graphemeStart(std::max(0, model_.cursor() - kSurroundingReach));
    const int to = model_.graphemeStart(std::min(size, model_.cursor() + kSurroundingReach));
    switch (query) {
    case Qt::ImEnabled: return isEnabled();
    case Qt::ImCursorRectangle: return cursorRect();
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition: return model_.cursor() - from;
    case Qt::ImAnchorPosition: return std::clamp(model_.anchor(), from, to) - from;
    case Qt::ImSurroundingText: return model_.text().mid(from, to - from);
    case Qt::ImTextBeforeCursor: return model_.text().mid(from, model_.cursor() - from);
    case Qt::ImTextAfterCursor: return model_.text().mid(model_.cursor(), to - model_.cursor());
    case Qt::ImCurrentSelection: return selectedText();
    case Qt::ImAbsolutePosition: return model_.cursor();
    case Qt::ImHints: return static_cast<int>(inputMethodHints());
    case Qt::ImMaximumTextLength: return model_.maxLength();
    case Qt::ImReadOnly: return false;
    default: return QWidget::inputMethodQuery(query);
    }
}

}  // namespace typedrill::ui
