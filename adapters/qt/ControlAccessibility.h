#pragma once
// What screen readers learn of the controls the window draws itself: the
// skinned buttons and tabs, the two sliders, the live texts of the player
// (status line, times) and the notices. Qt's own widgets and the web panes
// keep their own accessibility.
#include <QAccessible>
#include <QWidget>

namespace ruvo {

// Installs the program's accessibility factory; once, before the window is built.
void InstallControlAccessibility();
// The labels of this window (set before they are made) take the roles given
// them with SetSpokenRole, plain text otherwise.
void GiveLabelsTheirRoles(QWidget* window);
// The role a screen reader knows a label or a box by.
void SetSpokenRole(QWidget* widget, QAccessible::Role role);
// Marks a label standing for a tab as the selected one or not; screen
// readers hear the change.
void MarkSelected(QWidget* tab, bool selected);
bool IsMarkedSelected(const QWidget* tab);

}  // namespace ruvo
