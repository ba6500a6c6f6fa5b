// The lesson box: a read-only text view that shows the lesson wrapped to its width
// and colours characters from the exercise's marks.
#pragma once

#include <QTextEdit>

#include <vector>

#include "typedrill/core/exercise.h"

namespace typedrill::ui {

// The lesson is laid out once per text: each visual line becomes a paragraph of its
// own, and the yellow marks are painted as overlays on the visible lines only. A
// colour change then costs the same whatever the lesson's length, where recolouring
// characters of one long paragraph would lay the whole paragraph out again.
class LessonBox final : public QTextEdit {
    Q_OBJECT
public:
    explicit LessonBox(QWidget* parent = nullptr);

    // Shows `text`; `marks` (owned by the exercise, one per character) is read
    // whenever the box paints its overlays.
    void showLesson(const QString& text, const std::vector<Mark>* marks);
    // One character's mark changed.
    void refreshMark(int position);
    // Keeps the character at `position` in view.
    void scrollToCharacter(int position);

    // The colour the character at `position` is shown in.
    QColor shownColour(int position) const;
    // Lesson position to document position (paragraph breaks counted).
    int documentPosition(int position) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int lineOf(int position) const;
    void layOut();
    void refreshOverlays();

    QString text_;
    const std::vector<Mark>* marks_ = nullptr;
    std::vector<int> lineStarts_;  // lesson position of each visual line's first character
    int overlayFrom_ = 0, overlayTo_ = 0;  // lesson range the overlays cover
    bool settingUp_ = false;
};

}  // namespace typedrill::ui
