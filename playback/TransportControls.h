#pragma once
// The player bar's buttons (bo_but 0 to 7).

namespace ruvo {

class MainWindow;

class TransportControls {
public:
    explicit TransportControls(MainWindow& window) : window_(window) {}

    // Button 1, stop: stores the position of the item that was playing in
    // its list, stops the player and resets the bar. Nothing while nothing
    // is loaded.
    void ClickStop();

private:
    MainWindow& window_;
};

}  // namespace ruvo
