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
#include <cstring>
#include <utility>

#include "typedrill/ui/lesson_box_accessible.h"
#include "typedrill/ui/lesson_layout.h"

namespace typedrill::ui {
namespace {

// How many leading characters two texts share, compared a block at a time.
int commonPrefix(QStringView a, QStringView b) {
    constexpr qsizetype kBlock = 512;
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype same = 0;
    while (same + kBlock <= n && std::memcmp(a.data() + same, b.data() + same, kBlock * sizeof(QChar)) == 0) same += kBlock;
    while (same < n && a[same] == b[same]) ++same;
    return static_cast<int>(same);
}

// How many trailing characters they share.
int commonSuffix(QStringView a, QStringView b) {
    constexpr qsizetype kBlock = 512;
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype same = 0;
    while (same + kBlock <= n &&
           std::memcmp(a.data() + a.size() - same - kBlock, b.data() + b.size() - same - kBlock, kBlock * sizeof(QChar)) == 0)
        same += kBlock;
    while (same < n && a[a.size() - same - 1] == b[b.size() - same - 1]) ++same;
    return static_cast<int>(same);
}

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
    document()->setDocumentLayout(new LessonLayout(document()));
    installLessonBoxAccessibility();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { refreshOverlays(); });
}

void LessonBox::showLesson(const QString& text, const std::vector<Mark>* marks) {
    const bool changed = text != text_;
    if (!changed || marks != marks_ || text_.isEmpty() || text.isEmpty()) {
        const QString before = changed && QAccessible::isActive() ? text_ : QString();
        text_ = text;
        marks_ = marks;
        caret_ = 0;
        layOut();
        if (changed && QAccessible::isActive()) {
            QAccessibleTextUpdateEvent update(this, 0, before, text_);
            QAccessible::updateAccessibility(&update);
        }
        return;
    }
    // An edit of the text shown (free entry): only the lines it touches are laid out again.
    const int prefix = commonPrefix(text_, text);
    const int suffix = commonSuffix(QStringView(text_).mid(prefix), QStringView(text).mid(prefix));
    const int oldEnd = static_cast<int>(text_.size()) - suffix;
    const QString removed = QAccessible::isActive() ? text_.mid(prefix, oldEnd - prefix) : QString();
    const QString old = std::exchange(text_, text);
    caret_ = 0;
    replaceLines(prefix, oldEnd, static_cast<int>(text_.size() - old.size()));
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent update(this, prefix, removed, text_.mid(prefix, text_.size() - suffix - prefix));
        QAccessible::updateAccessibility(&update);
    }
}

void LessonBox::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    if (!settingUp_) layOut();
}

// Breaks text_[from, to) into lines the width of the box, as a wrapped paragraph
// would, and returns their starts. The text is laid out a stretch at a time, so
// that a run of thousands of zero-width marks costs no more than a line's worth:
// a line longer than a stretch is broken at its end.
std::vector<int> LessonBox::breakLines(int from, int to) const {
    constexpr int kStretch = 1024;  // characters laid out at once; a shown line holds a few dozen
    const qreal width = viewport()->width() - 2 * document()->documentMargin() - 1;
    std::vector<int> starts;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (int at = from; at < to;) {
        int end = std::min(to, at + kStretch);
        if (end < to && text_.at(end).isLowSurrogate()) --end;
        QTextLayout layout(text_.mid(at, end - at), document()->defaultFont());
        layout.setTextOption(option);
        layout.beginLayout();
        std::vector<int> found;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            found.push_back(at + line.textStart());
        }
        layout.endLayout();
        // The stretch's last line may go on past it, unless it is the only one.
        const bool whole = end == to || found.size() < 2;
        starts.insert(starts.end(), found.begin(), whole ? found.end() : found.end() - 1);
        at = whole ? end : found.back();
    }
    return starts;
}

// The shown text of lines [first, last): one paragraph per line.
QString LessonBox::shownLines(std::size_t first, std::size_t last) const {
    QString shown;
    for (std::size_t i = first; i < last; ++i) {
        const int from = lineStarts_[i];
        const int to = i + 1 < lineStarts_.size() ? lineStarts_[i + 1] : static_cast<int>(text_.size());
        if (i > first) shown += QLatin1Char('\n');
        shown += displayable(text_.mid(from, to - from));
    }
    return shown;
}

void LessonBox::layOut() {
    lineStarts_ = breakLines(0, static_cast<int>(text_.size()));
    if (lineStarts_.empty()) lineStarts_.push_back(0);
    const QString shown = shownLines(0, lineStarts_.size());
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

// Text [from, oldEnd) of the text shown was replaced, `delta` characters more or
// fewer: the lines from the one holding `from` to the first one starting past the
// edit are broken again as a paragraph of their own, and the rest shift. The
// last of the new lines may come out short where the edit was; everything else
// is drawn as before, so one key costs the same at any length.
void LessonBox::replaceLines(int from, int oldEnd, int delta) {
    // From the line before: a word that no longer fits there, or now does, moves.
    const int first = std::max(0, lineOf(from) - 1);
    const auto past = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), oldEnd) - lineStarts_.begin();
    const auto firstIndex = static_cast<std::size_t>(first), pastIndex = static_cast<std::size_t>(past);
    if (first == 0 && pastIndex == lineStarts_.size()) {
        layOut();
        return;
    }
    const int regionEnd = pastIndex < lineStarts_.size() ? lineStarts_[pastIndex] + delta : static_cast<int>(text_.size());
    const std::vector<int> fresh = breakLines(lineStarts_[firstIndex], regionEnd);
    // The document's places of the paragraphs replaced, before the change.
    const int blockFrom = document()->findBlockByNumber(first).position();
    const int blockTo = pastIndex < lineStarts_.size() ? document()->findBlockByNumber(static_cast<int>(past)).position() - 1
                                                       : document()->characterCount() - 1;
    settingUp_ = true;
    const QRectF box = document()->documentLayout()->blockBoundingRect(document()->findBlockByNumber(first));
    const int top = std::max(0, static_cast<int>(std::floor(box.top())) - verticalScrollBar()->value() - 1);
    if (top < viewport()->height()) stale_ += QRect(0, top, viewport()->width(), viewport()->height() - top);
    for (auto it = lineStarts_.begin() + past; it != lineStarts_.end(); ++it) *it += delta;
    lineStarts_.erase(lineStarts_.begin() + first, lineStarts_.begin() + past);
    lineStarts_.insert(lineStarts_.begin() + first, fresh.begin(), fresh.end());
    setExtraSelections({});
    overlayFrom_ = overlayTo_ = 0;
    {
        const QSignalBlocker quiet(document());
        QTextCursor cursor(document());
        if (!fresh.empty()) {
            cursor.setPosition(blockFrom);
            cursor.setPosition(blockTo, QTextCursor::KeepAnchor);
            cursor.insertText(shownLines(firstIndex, firstIndex + fresh.size()));
        } else if (first > 0) {  // lines gone whole: their paragraphs go with a break
            cursor.setPosition(blockFrom - 1);
            cursor.setPosition(blockTo, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        } else {
            cursor.setPosition(0);
            cursor.setPosition(blockTo + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
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
