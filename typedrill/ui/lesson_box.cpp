// The lesson box.
#include "typedrill/ui/lesson_box.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "typedrill/ui/lesson_box_accessible.h"

namespace typedrill::ui {
namespace {

const QColor kYellow(255, 255, 0);
const QColor kBlack(0, 0, 0);

// Characters that the text document would take as paragraph breaks are shown as blanks.
QString displayable(QString line) {
    for (QChar& c : line) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x2028 || u == 0x2029 || u == u'\v' || u == u'\f') c = QLatin1Char(' ');
    }
    return line;
}

}  // namespace

LessonBox::LessonBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setContextMenuPolicy(Qt::NoContextMenu);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);  // a click must not take the focus from the input box
    installLessonBoxAccessibility();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { refreshOverlays(); });
}

void LessonBox::showLesson(const QString& text, const std::vector<Mark>* marks) {
    const bool changed = text != text_;
    // A text that keeps all but the last lines of the one shown (typing at the
    // end in free entry) has only those lines laid out again.
    const int keep = lineStarts_.size() > 2 ? static_cast<int>(lineStarts_.size()) - 2 : 0;
    const int from = keep > 0 ? lineStarts_[static_cast<std::size_t>(keep)] : 0;
    const bool tailOnly = changed && keep > 0 && marks == marks_ && text.size() > from &&
                          QStringView(text).left(from) == QStringView(text_).left(from);
    const QString before = changed && QAccessible::isActive() ? text_.mid(tailOnly ? from : 0) : QString();
    text_ = text;
    marks_ = marks;
    caret_ = 0;
    if (tailOnly) layOutFrom(keep);
    else layOut();
    if (changed && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent update(this, tailOnly ? from : 0, before, text_.mid(tailOnly ? from : 0));
        QAccessible::updateAccessibility(&update);
    }
}

void LessonBox::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (!settingUp_) layOut();
}

// Breaks text_ from lesson position `from` into lines the width of the box, as a
// wrapped paragraph would, and appends their starts to lineStarts_.
void LessonBox::breakLines(int from) {
    const qreal width = viewport()->width() - 2 * document()->documentMargin() - 1;
    QTextLayout layout(text_.mid(from), document()->defaultFont());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lineStarts_.push_back(from + line.textStart());
    }
    layout.endLayout();
    if (lineStarts_.empty()) lineStarts_.push_back(0);
}

// The shown text of lines `first` on: one paragraph per line.
QString LessonBox::shownLines(std::size_t first) const {
    QString shown;
    for (std::size_t i = first; i < lineStarts_.size(); ++i) {
        const int from = lineStarts_[i];
        const int to = i + 1 < lineStarts_.size() ? lineStarts_[i + 1] : static_cast<int>(text_.size());
        if (i > first) shown += QLatin1Char('\n');
        shown += displayable(text_.mid(from, to - from));
    }
    return shown;
}

void LessonBox::layOut() {
    lineStarts_.clear();
    breakLines(0);
    const QString shown = shownLines(0);
    settingUp_ = true;
    pageValid_ = false;
    setExtraSelections({});
    overlayFrom_ = overlayTo_ = 0;
    {
        // The document's change signals would tell screen readers of the laid-out
        // text, line breaks included; the box reports the lesson itself instead.
        const QSignalBlocker quiet(document());
        setPlainText(shown);
    }
    settingUp_ = false;
    refreshOverlays();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, caret_);
        QAccessible::updateAccessibility(&moved);
    }
}

// Lays out again lines `keep` on, leaving the paragraphs before them as they are.
void LessonBox::layOutFrom(int keep) {
    const int from = lineStarts_[static_cast<std::size_t>(keep)];
    lineStarts_.resize(static_cast<std::size_t>(keep));
    breakLines(from);
    settingUp_ = true;
    // The kept lines stay as drawn; everything from the first replaced one down goes.
    const QRectF box = document()->documentLayout()->blockBoundingRect(document()->findBlockByNumber(keep));
    const int top = std::max(0, static_cast<int>(std::floor(box.top())) - verticalScrollBar()->value() - 1);
    if (top < viewport()->height()) stale_ += QRect(0, top, viewport()->width(), viewport()->height() - top);
    setExtraSelections({});
    overlayFrom_ = overlayTo_ = 0;
    {
        const QSignalBlocker quiet(document());
        QTextCursor cursor(document());
        cursor.setPosition(document()->findBlockByNumber(keep).position());
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.insertText(shownLines(static_cast<std::size_t>(keep)));
    }
    settingUp_ = false;
    refreshOverlays();
    viewport()->update();
}

int LessonBox::lineOf(int position) const {
    auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return std::max(0, static_cast<int>(it - lineStarts_.begin()) - 1);
}

int LessonBox::documentPosition(int position) const { return position + lineOf(position); }

int LessonBox::lessonPosition(int documentPosition) const {
    const QTextBlock block = document()->findBlock(documentPosition);
    return std::clamp(documentPosition - std::max(0, block.blockNumber()), 0, static_cast<int>(text_.size()));
}

Mark LessonBox::markAt(int position) const {
    if (!marks_ || position < 0 || static_cast<std::size_t>(position) >= marks_->size()) return Mark::Black;
    return (*marks_)[static_cast<std::size_t>(position)];
}

void LessonBox::refreshMark(int position) {
    if (position >= overlayFrom_ && position < overlayTo_) {
        refreshOverlays();
        staleLine(lineOf(position));
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::TextAttributeChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void LessonBox::scrollToCharacter(int position) {
    caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
    showCharacter(caret_);
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, caret_);
        QAccessible::updateAccessibility(&moved);
    }
}

void LessonBox::showCharacter(int position) {
    // Scrolled by hand: moving the text cursor would announce document positions,
    // which count the line breaks, to screen readers.
    const int line = std::min(lineOf(position), document()->blockCount() - 1);
    const QRectF box = document()->documentLayout()->blockBoundingRect(document()->findBlockByNumber(line));
    QScrollBar* bar = verticalScrollBar();
    const int top = static_cast<int>(std::floor(box.top()));
    const int bottom = static_cast<int>(std::ceil(box.bottom()));
    if (top < bar->value()) bar->setValue(top);
    else if (bottom > bar->value() + viewport()->height()) bar->setValue(bottom - viewport()->height());
}

QRect LessonBox::characterRect(int position) const {
    if (position < 0 || position >= text_.size()) return {};
    QTextCursor cursor(document());
    cursor.setPosition(documentPosition(position));
    const QRect start = cursorRect(cursor);
    const int width = QFontMetrics(document()->defaultFont()).horizontalAdvance(text_.at(position));
    return {start.left(), start.top(), std::max(1, width), start.height()};
}

int LessonBox::positionAt(QPoint viewportPoint) const {
    if (text_.isEmpty() || !viewport()->rect().contains(viewportPoint)) return -1;
    return std::min(lessonPosition(cursorForPosition(viewportPoint).position()), static_cast<int>(text_.size()) - 1);
}

void LessonBox::refreshOverlays() {
    if (settingUp_) return;
    QList<QTextEdit::ExtraSelection> overlays;
    if (!marks_ || marks_->size() != static_cast<std::size_t>(text_.size()) || text_.isEmpty()) {
        overlayFrom_ = overlayTo_ = 0;
        setExtraSelections(overlays);
        return;
    }
    // The visible lines, found by bisecting the paragraphs' places.
    auto* layout = document()->documentLayout();
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int lines = document()->blockCount();
    auto firstBelow = [&](int y) {
        int lo = 0, hi = lines;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (layout->blockBoundingRect(document()->findBlockByNumber(mid)).bottom() <= y) lo = mid + 1;
            else hi = mid;
        }
        return lo;
    };
    const int firstLine = std::max(0, firstBelow(top) - 1);
    const int lastLine = std::min(lines - 1, firstBelow(bottom) + 1);
    overlayFrom_ = lineStarts_[static_cast<std::size_t>(firstLine)];
    overlayTo_ = lastLine + 1 < static_cast<int>(lineStarts_.size()) ? lineStarts_[static_cast<std::size_t>(lastLine + 1)]
                                                                      : static_cast<int>(text_.size());
    QTextCharFormat yellow;
    yellow.setForeground(kYellow);
    for (int p = overlayFrom_; p < overlayTo_;) {
        if ((*marks_)[static_cast<std::size_t>(p)] != Mark::Yellow) {
            ++p;
            continue;
        }
        // A run of yellow within one line.
        const int line = lineOf(p);
        const int lineEnd = line + 1 < static_cast<int>(lineStarts_.size()) ? lineStarts_[static_cast<std::size_t>(line + 1)]
                                                                            : static_cast<int>(text_.size());
        int q = p;
        while (q < std::min(overlayTo_, lineEnd) && (*marks_)[static_cast<std::size_t>(q)] == Mark::Yellow) ++q;
        QTextEdit::ExtraSelection overlay;
        overlay.cursor = QTextCursor(document());
        overlay.cursor.setPosition(p + line);
        overlay.cursor.setPosition(q + line, QTextCursor::KeepAnchor);
        overlay.format = yellow;
        overlays.append(overlay);
        p = q;
    }
    setExtraSelections(overlays);
}

void LessonBox::staleLine(int line) {
    if (line < 0 || line >= document()->blockCount()) return;
    const QRectF box = document()->documentLayout()->blockBoundingRect(document()->findBlockByNumber(line));
    const int top = static_cast<int>(std::floor(box.top())) - verticalScrollBar()->value();
    const int bottom = static_cast<int>(std::ceil(box.bottom())) - verticalScrollBar()->value();
    // The whole width: a glyph may reach past its advance.
    stale_ += QRect(0, top - 1, viewport()->width(), bottom - top + 2);
}

void LessonBox::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    pageValid_ = false;  // palette, font, style or enabled state: draw everything again
    viewport()->update();
}

void LessonBox::paintEvent(QPaintEvent* event) {
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (size.isEmpty()) return;
    if (!pageValid_ || page_.size() != size || pageScroll_ != scroll) {
        if (page_.size() != size) page_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        page_.setDevicePixelRatio(ratio);
        pageScroll_ = scroll;
        pageValid_ = true;
        stale_ = QRegion(viewport()->rect());
    }
    if (!stale_.isEmpty()) {
        drawPage(stale_);
        stale_ = QRegion();
    }
    QPainter painter(viewport());
    for (const QRect& r : event->region())
        painter.drawImage(r, page_, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
}

// Draws the lesson with its overlays into `area` of the page image, as the text
// edit itself would draw it on the viewport.
void LessonBox::drawPage(const QRegion& area) {
    QPainter painter(&page_);
    painter.setClipRegion(area);
    painter.fillRect(area.boundingRect(), viewport()->palette().brush(viewport()->backgroundRole()));
    painter.translate(-pageScroll_);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.clip = QRectF(area.boundingRect().translated(pageScroll_));
    for (const auto& overlay : extraSelections()) context.selections.append({overlay.cursor, overlay.format});
    document()->documentLayout()->draw(&painter, context);
}

QColor LessonBox::shownColour(int position) const {
    const int at = documentPosition(position);
    for (const auto& overlay : extraSelections()) {
        if (at >= overlay.cursor.selectionStart() && at < overlay.cursor.selectionEnd())
            return overlay.format.foreground().color();
    }
    QTextCursor cursor(document());
    cursor.setPosition(at + 1);
    const QBrush brush = cursor.charFormat().foreground();
    return brush.style() == Qt::NoBrush ? palette().color(QPalette::Text) : brush.color();
}

}  // namespace typedrill::ui
