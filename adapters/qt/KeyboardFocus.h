#pragma once
// The window without a mouse: which keys a focused control keeps for itself
// (Space and Enter press a button, arrows move a slider), the Tab order, and
// F6 from one area of the window to the next.
#include <QWidget>
#include <vector>

class QKeyEvent;

namespace ruvo {

// Marks a label that acts on a click (the list action, a notice) as a
// control Space and Enter press.
void MakePressable(QWidget* label);
// True when the focused control `watched` uses this key itself: the
// player's keys then wait until the focus is elsewhere.
bool ControlKeepsKey(const QObject* watched, const QKeyEvent* key);
// Enter on a focused push or tool button presses it, as Space does.
bool PressButtonOnEnter(QObject* watched, const QKeyEvent* key);

// Tab (or Shift+Tab, backwards) moves the focus from the control holding it
// (or lying in the one holding it, as in a web page) to the next control of
// `order` that shows, is enabled and takes the focus, around at the end.
// False when there is none.
bool MoveFocusAlong(const std::vector<QWidget*>& order, bool forwards);

// An area F6 moves to: the box it lies in and the widget given the focus there.
struct FocusArea {
    QWidget* box;
    QWidget* target;
};
// Gives the focus to the next area that shows after the one holding it
// (the first when none does), or to the one before.
void MoveFocusAcross(const std::vector<FocusArea>& areas, bool backwards);

}  // namespace ruvo
