// The text-at-offset answers both text boxes give screen readers.
#pragma once

#include <QAccessible>
#include <QString>

#include <vector>

#include "typedrill/core/text_pieces.h"

namespace typedrill::ui {

// The piece of `type` at `offset` in `text` (`step` 0), before it (-1) or after
// it (1); lines start at `lineStarts` as the box draws them, and a paragraph or
// no boundary at all is the whole text.
inline QString accessiblePiece(const QString& text, const std::vector<int>& lineStarts, int offset,
                               QAccessible::TextBoundaryType type, int step, int* startOffset, int* endOffset) {
    const int count = static_cast<int>(text.size());
    Piece piece;
    switch (type) {
    case QAccessible::CharBoundary: piece = pieceAround(text, offset, PieceKind::Character, step); break;
    case QAccessible::WordBoundary: piece = pieceAround(text, offset, PieceKind::Word, step); break;
    case QAccessible::SentenceBoundary: piece = pieceAround(text, offset, PieceKind::Sentence, step); break;
    case QAccessible::LineBoundary: piece = lineAround(lineStarts, count, offset, step); break;
    case QAccessible::ParagraphBoundary:
    case QAccessible::NoBoundary:
        if (step == 0 && offset >= 0 && offset <= count) piece = {0, count};
        break;
    }
    *startOffset = piece.start;
    *endOffset = piece.end;
    return piece.start < 0 ? QString() : text.mid(piece.start, piece.end - piece.start);
}

}  // namespace typedrill::ui
