#pragma once
// The search box "soso" and its button "sok": a search sends the box's text
// to the portal's search page and shows the results over the main pane.
#include <string>

namespace ruvo {

class MainWindow;

class SearchBox {
public:
    explicit SearchBox(MainWindow& window) : window_(window) {}

    // The button click, or Enter in the box.
    void Search();
    // A click into the box clears the hint.
    void ClickInBox();
    // Leaving the box (or clicking the window's surface) puts the hint back
    // when the box is empty.
    void FocusLost();

private:
    MainWindow& window_;
};

}  // namespace ruvo
