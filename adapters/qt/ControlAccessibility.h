#pragma once
// What screen readers learn of the controls the window draws itself: the
// skinned buttons and tabs, the two sliders, the live texts of the player
// (status line, times) and the notices. Qt's own widgets and the web panes
// keep their own accessibility.
namespace ruvo {

// Installs the program's accessibility factory; once, before the window is built.
void InstallControlAccessibility();

}  // namespace ruvo
