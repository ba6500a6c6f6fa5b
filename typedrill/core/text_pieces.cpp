// Characters, words, sentences and lines around an offset.
#include "typedrill/core/text_pieces.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace typedrill {
namespace {

// How far either side of the asked offset the boundary finder reads: longer than
// any word or sentence of a lesson, and short enough to answer in microseconds.
constexpr int kReach = 1024;

QTextBoundaryFinder::BoundaryType finderType(PieceKind kind) {
    switch (kind) {
    case PieceKind::Character: return QTextBoundaryFinder::Grapheme;
    case PieceKind::Word: return QTextBoundaryFinder::Word;
    case PieceKind::Sentence: return QTextBoundaryFinder::Sentence;
    }
    return QTextBoundaryFinder::Grapheme;
}

}  // namespace

Piece pieceAround(QStringView text, int offset, PieceKind kind, int step) {
    const int count = static_cast<int>(text.size());
    if (count == 0 || offset < 0 || offset > count) return {};
    if (offset == count) {
        // The end is in the last word or sentence, and after the last character.
        if (kind == PieceKind::Character) {
            if (step > 0) return {};
            if (step == 0) return {count, count};
            step = 0;
        }
        offset = count - 1;
    }
    const int from = std::max(0, offset - kReach);
    const int to = std::min(count, offset + kReach + 1);
    QTextBoundaryFinder finder(finderType(kind), text.mid(from, to - from));
    finder.setPosition(offset - from);
    qsizetype start = finder.isAtBoundary() ? finder.position() : finder.toPreviousBoundary();
    qsizetype end = finder.toNextBoundary();
    if (step < 0) {
        end = start;
        finder.setPosition(start);
        start = finder.toPreviousBoundary();
    } else if (step > 0) {
        start = end;
        end = start < 0 ? -1 : finder.toNextBoundary();
    }
    if (start < 0 || end < 0 || start >= end) return {};
    return {from + static_cast<int>(start), from + static_cast<int>(end)};
}

Piece lineAround(const std::vector<int>& lineStarts, int count, int offset, int step) {
    if (count == 0 || lineStarts.empty() || offset < 0 || offset > count) return {};
    const auto at = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset) - lineStarts.begin() - 1;
    const auto line = std::max<std::ptrdiff_t>(0, at) + step;
    if (line < 0 || line >= static_cast<std::ptrdiff_t>(lineStarts.size())) return {};
    const auto i = static_cast<std::size_t>(line);
    const int end = i + 1 < lineStarts.size() ? lineStarts[i + 1] : count;
    return {lineStarts[i], end};
}

}  // namespace typedrill
