#pragma once
// Playing what the command line names: at a first start with an argument and
// when a second start hands its command line over to the running instance.
#include <string>

namespace ruvo {

class MainWindow;

// The running instance received a second start's command line: the window
// comes to the front, and a non-empty text replaces what plays.
void ReceiveCommandLine(MainWindow& window, const std::string& text);

// Stops what plays (its place is kept, as at any stop) and plays a path or
// address instead: a second start's item, a dropped file, a typed address.
void PlayInsteadOfCurrent(MainWindow& window, const std::string& text);

// Plays a path or address and lists it among the local files. Quotes are
// removed and one trailing "/" dropped.
void PlayCommandLineItem(MainWindow& window, const std::string& text);

}  // namespace ruvo
