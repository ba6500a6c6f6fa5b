// The typing box's text model.
#include "typedrill/core/line_text.h"

#include <QStringView>
#include <QTextBoundaryFinder>

namespace typedrill {
namespace {

// A grapheme cluster is looked for this far either side of a position.
constexpr int kClusterReach = 32;

}  // namespace

void LineText::setText(const QString& text) {
    text_ = text.size() > maxLength_ ? text.left(maxLength_) : text;
    if (text.size() > maxLength_ && !text_.isEmpty() && text_.back().isHighSurrogate()) text_.chop(1);
    cursor_ = anchor_ = size();
    history_.clear();
    undone_ = 0;
    separate_ = true;
}

void LineText::moveCursor(int position, bool select) {
    const int to = std::clamp(position, 0, size());
    const int anchor = select ? anchor_ : to;
    if (to != cursor_ || anchor != anchor_) separate_ = true;
    cursor_ = to;
    anchor_ = anchor;
}

void LineText::place(int cursor, int anchor) {
    cursor_ = std::clamp(cursor, 0, size());
    anchor_ = std::clamp(anchor, 0, size());
}

bool LineText::splice(int start, int end, QString piece, EditKind kind, Change* made) {
    start = std::clamp(start, 0, size());
    end = std::clamp(end, start, size());
    const qsizetype room = static_cast<qsizetype>(maxLength_) - (size() - (end - start));
    if (piece.size() > room) {
        piece.truncate(std::max<qsizetype>(0, room));
        if (!piece.isEmpty() && piece.back().isHighSurrogate()) piece.chop(1);
    }
    const bool join = joinNext_;
    joinNext_ = false;
    if (start == end && piece.isEmpty()) return false;
    history_.resize(static_cast<std::size_t>(undone_));
    const bool joins = !history_.empty() && kind != EditKind::Mending &&
                       (join || (!separate_ && kind != EditKind::Other &&
                                 (history_.back().kind == kind || history_.back().kind == EditKind::Selection)));
    const EditKind as = kind == EditKind::Mending ? EditKind::Typing : kind;
    // Undo brings mended characters back selected, as a line edit does.
    if (!joins && kind == EditKind::Mending) history_.push_back({as, {}, start, end});
    else if (!joins) history_.push_back({as, {}, cursor_, anchor_});
    else if (kind != EditKind::Other) history_.back().kind = as;  // the next edit joins by the latest kind
    history_.back().changes.push_back({start, text_.mid(start, end - start), std::move(piece)});
    undone_ = static_cast<int>(history_.size());
    separate_ = kind == EditKind::Other;
    apply(history_.back().changes.back(), true);
    if (made) *made = history_.back().changes.back();
    return true;
}

void LineText::apply(const Change& change, bool forward) {
    const QString& gone = forward ? change.removed : change.inserted;
    const QString& put = forward ? change.inserted : change.removed;
    const int start = change.at;
    if (gone.isEmpty() && start == size()) text_.append(put);  // typing at the end: amortised constant
    else if (gone.isEmpty()) text_.insert(start, put);
    else if (put.isEmpty()) text_.remove(start, gone.size());
    else text_.replace(start, gone.size(), put);
    cursor_ = anchor_ = start + static_cast<int>(put.size());
}

std::vector<LineText::Change> LineText::undo() {
    if (undone_ == 0) return {};
    const Step& step = history_[static_cast<std::size_t>(--undone_)];
    std::vector<Change> made;
    for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) {
        apply(*it, false);
        made.push_back({it->at, it->inserted, it->removed});
    }
    place(step.cursorBefore, step.anchorBefore);
    separate_ = true;  // nothing joins a step brought back, not even after a redo
    return made;
}

std::vector<LineText::Change> LineText::redo() {
    if (!canRedo()) return {};
    const Step& step = history_[static_cast<std::size_t>(undone_++)];
    for (const Change& change : step.changes) apply(change, true);
    return step.changes;
}

int LineText::graphemeStart(int position) const {
    if (position <= 0) return 0;
    if (position >= size()) return size();
    const int from = std::max(0, position - kClusterReach);
    const int to = std::min(size(), position + kClusterReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(text_).mid(from, to - from));
    finder.setPosition(position - from);
    if (finder.isAtBoundary()) return position;
    const qsizetype back = finder.toPreviousBoundary();
    return back < 0 ? from : from + static_cast<int>(back);
}

int LineText::nextGrapheme(int position) const {
    if (position >= size()) return size();
    const int from = std::max(0, position);
    const int to = std::min(size(), from + kClusterReach);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QStringView(text_).mid(from, to - from));
    const qsizetype next = finder.toNextBoundary();
    return next <= 0 ? to : from + static_cast<int>(next);
}

int LineText::previousGrapheme(int position) const {
    if (position <= 0) return 0;
    return graphemeStart(position - 1);
}

// Word steps as a line edit takes them: a run of separator marks, or of other
// characters up to a blank, then the blanks after it (before it, going back).
int LineText::wordStep(int position, bool forward) const {
    auto separator = [&](int i) { return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(text_.at(i)); };
    auto blank = [&](int i) { return text_.at(i).isSpace(); };
    int p = std::clamp(position, 0, size());
    if (forward) {
        if (p < size() && separator(p)) {
            while (++p < size() && separator(p)) {}
        } else {
            while (p < size() && !blank(p) && !separator(p)) ++p;
        }
        while (p < size() && blank(p)) ++p;
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

}  // namespace typedrill
