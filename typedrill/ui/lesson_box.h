// The lesson box: a read-only text view that shows the lesson wrapped to its width
// and colours characters from the exercise's marks.
#pragma once

#include <QImage>
#include <QRegion>
#include <QTextEdit>

#include <vector>

#include "typedrill/core/exercise.h"

namespace typedrill::ui {

// The lesson is laid out once per text: each visual line becomes a paragraph of its
// own, and the yellow marks are painted as overlays on the visible lines only. A
// colour change then costs the same whatever the lesson's length, where recolouring
// characters of one long paragraph would lay the whole paragraph out again.
// The visible page is kept drawn in an image: a repaint copies it, and a mark
// change redraws only its own line into it.
// Screen readers are given the lesson itself, without those breaks, and the marks
// as colours (lesson_box_accessible.cpp).
class LessonBox final : public QTextEdit {
    Q_OBJECT
public:
    explicit LessonBox(QWidget* parent = nullptr);

    // Shows `text`; `marks` (owned by the exercise, one per character) is read
    // whenever the box paints its overlays.
    void showLesson(const QString& text, const std::vector<Mark>* marks);
    // One character's mark changed.
    void refreshMark(int position);
    // The user is now at `position` (the next character to type); keeps it in view.
    void scrollToCharacter(int position);
    // Scrolls so that the character at `position` is in view.
    void showCharacter(int position);

    const QString& lesson() const { return text_; }
    // The lesson position of each shown line's first character.
    const std::vector<int>& lineStarts() const { return lineStarts_; }
    Mark markAt(int position) const;
    int caret() const { return caret_; }
    // The box of the character at `position`, in viewport coordinates.
    QRect characterRect(int position) const;
    // The lesson position under a viewport point, or -1.
    int positionAt(QPoint viewportPoint) const;

    // The colour the character at `position` is shown in.
    QColor shownColour(int position) const;
    // Lesson position to document position (paragraph breaks counted).
    int documentPosition(int position) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int lineOf(int position) const;
    int lessonPosition(int documentPosition) const;
    void layOut();
    void replaceLines(int from, int oldEnd, int delta);
    std::vector<int> breakLines(int from, int to) const;
    QString shownLines(std::size_t first, std::size_t last) const;
    void refreshOverlays();
    void drawPage(const QRegion& area);
    void staleLine(int line);

    QString text_;
    int caret_ = 0;
    const std::vector<Mark>* marks_ = nullptr;
    std::vector<int> lineStarts_;  // lesson position of each visual line's first character
    int overlayFrom_ = 0, overlayTo_ = 0;  // lesson range the overlays cover
    bool settingUp_ = false;
    QImage page_;                 // the viewport as last drawn
    QPoint pageScroll_;           // the scroll offsets page_ was drawn at
    bool pageValid_ = false;
    QRegion stale_;               // parts of page_ to draw again, viewport coordinates
};

}  // namespace typedrill::ui
