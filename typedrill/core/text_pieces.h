// Pieces of a text as screen readers step through it: characters, words,
// sentences and lines.
#pragma once

#include <QStringView>

#include <vector>

namespace typedrill {

enum class PieceKind { Character, Word, Sentence };

// Characters [start, end) of a text; -1 and -1 when there is no such piece.
struct Piece {
    int start = -1;
    int end = -1;
    bool operator==(const Piece&) const = default;
};

// The piece of `kind` holding the character at `offset` (`step` 0), the one
// before it (-1) or the one after it (1), as the platform's text boundary finder
// splits the text (one piece per Chinese character for words). At the end of
// the text (`offset` equal to its length) the character is none, the one before
// it the last, and the word and sentence the last ones. Only a stretch of the text around
// `offset` is looked at, so one question costs the same at any length; a piece
// longer than that stretch comes back cut at its edge.
Piece pieceAround(QStringView text, int offset, PieceKind kind, int step);

// The same for lines that start at `lineStarts` (ascending, the first 0) in a
// text of `count` characters; the end of the text belongs to the last line.
Piece lineAround(const std::vector<int>& lineStarts, int count, int offset, int step);

}  // namespace typedrill
