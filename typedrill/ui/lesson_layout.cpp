// The lesson box's document layout.
#include "typedrill/ui/lesson_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace typedrill::ui {

LessonLayout::LessonLayout(QTextDocument* document) : QAbstractTextDocumentLayout(document) {}

qreal LessonLayout::lineHeight() const { return QFontMetricsF(document()->defaultFont()).height(); }

qreal LessonLayout::margin() const { return document()->documentMargin(); }

qreal LessonLayout::width() const { return std::max<qreal>(0, document()->pageSize().width()); }

// One line, unwrapped: the box has already broken the text to its width.
void LessonLayout::layOut(const QTextBlock& block) const {
    QTextLayout* layout = block.layout();
    if (layout->lineCount() > 0) return;
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid()) {
        line.setLineWidth(std::max<qreal>(0, width() - 2 * margin()));
        line.setPosition(QPointF(0, 0));
    }
    layout->endLayout();
    layout->setPosition(QPointF(margin(), 0));
}

QRectF LessonLayout::blockBoundingRect(const QTextBlock& block) const {
    if (!block.isValid()) return {};
    layOut(block);
    const qreal h = lineHeight();
    return {margin(), margin() + block.blockNumber() * h, std::max<qreal>(0, width() - 2 * margin()), h};
}

QSizeF LessonLayout::documentSize() const {
    return {width(), 2 * margin() + document()->blockCount() * lineHeight()};
}

QRectF LessonLayout::frameBoundingRect(QTextFrame*) const { return {QPointF(0, 0), documentSize()}; }

int LessonLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
    const qreal h = lineHeight();
    const int count = document()->blockCount();
    const int row = static_cast<int>(std::floor((point.y() - margin()) / h));
    if (accuracy == Qt::ExactHit && (row < 0 || row >= count)) return -1;
    const QTextBlock block = document()->findBlockByNumber(std::clamp(row, 0, count - 1));
    layOut(block);
    const QTextLine line = block.layout()->lineAt(0);
    if (!line.isValid()) return block.position();
    return block.position() + line.xToCursor(point.x() - margin());
}

void LessonLayout::draw(QPainter* painter, const PaintContext& context) {
    const qreal h = lineHeight();
    const int count = document()->blockCount();
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
    const int first = std::clamp(static_cast<int>(std::floor((clip.top() - margin()) / h)), 0, count - 1);
    const int last = std::clamp(static_cast<int>(std::ceil((clip.bottom() - margin()) / h)), 0, count - 1);
    painter->save();
    painter->setPen(context.palette.color(QPalette::Text));
    QTextBlock block = document()->findBlockByNumber(first);
    for (int row = first; row <= last && block.isValid(); ++row, block = block.next()) {
        layOut(block);
        // The overlays that fall on this line, in its own character positions.
        QList<QTextLayout::FormatRange> overlays;
        const int from = block.position(), to = from + block.length() - 1;
        for (const Selection& s : context.selections) {
            const int start = std::max(from, s.cursor.selectionStart()), end = std::min(to, s.cursor.selectionEnd());
            if (start < end) overlays.append({start - from, end - start, s.format});
        }
        block.layout()->draw(painter, QPointF(0, margin() + row * h), overlays, clip);
    }
    painter->restore();
}

void LessonLayout::documentChanged(int from, int, int charsAdded) {
    // The changed paragraphs are laid out again when next needed.
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= from + charsAdded;
         block = block.next())
        block.layout()->clearLayout();
    if (const int count = document()->blockCount(); count != blocks_) {
        blocks_ = count;
        emit documentSizeChanged(documentSize());
    }
    emit update();
}

}  // namespace typedrill::ui
