#pragma once
// The program's one orderly way out, and stopping the player's helper
// programs on the way.

namespace ruvo {

class MainWindow;

// The tray icon goes first; then the playing item stops with its position
// saved, the player's helpers end when "qvodk" asks for it, every window
// closes and the process ends (after the recommendation window when the
// update file asked for it).
void ExitProgram(MainWindow& window);

// The same when the system asks the program to end (a signal): the files are
// stored as at any exit, and the process ends at once, with success.
void EndOnSignal(MainWindow& window);

// Ends the first "QvodPlayer.exe" and the first "QvodTerminal.exe" process.
void StopPlayerProcesses(MainWindow& window);

}  // namespace ruvo
