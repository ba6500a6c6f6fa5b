// The lesson box's document layout: one shown line per paragraph, all of one height.
#pragma once

#include <QAbstractTextDocumentLayout>

class QTextBlock;

namespace typedrill::ui {

// The lesson box breaks the lesson into lines itself and puts each in a paragraph
// of its own, so every paragraph is one line of the default font's height and
// the n-th stands at n line heights from the top. Places are worked out from
// the paragraph's number, and a paragraph is laid out when it is first drawn
// or asked about: an edit costs the paragraphs it changes, where the stock
// layout walks every paragraph after it.
class LessonLayout final : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    explicit LessonLayout(QTextDocument* document);

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    qreal lineHeight() const;
    qreal margin() const;
    qreal width() const;
    void layOut(const QTextBlock& block) const;

    int blocks_ = 0;  // the paragraph count last told to the text edit
};

}  // namespace typedrill::ui
