// What the exercise tells the window about: the lesson box, the input boxes, the rest.
#pragma once

namespace typedrill {

class ExerciseView {
public:
    virtual ~ExerciseView() = default;
    // The lesson text was replaced; every character is black.
    virtual void lessonReplaced() = 0;
    // The colour of one lesson character changed.
    virtual void markChanged(int position) = 0;
    // The place in the lesson the user is at (the next character to type).
    virtual void caretMoved(int position) = 0;
    // Empty the input box (`Text2`) or the free-entry box (`Text1`). The exercise
    // runs the resulting change itself, so the box must not report it.
    virtual void clearInputBox() = 0;
    virtual void clearFreeBox() = 0;
    // Labels, enabled and visible states, or the timer changed.
    virtual void stateChanged() = 0;
};

}  // namespace typedrill
