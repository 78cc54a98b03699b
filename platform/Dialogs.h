#pragma once
// Modal message boxes. Every question of the program has the buttons Yes and
// No; notices have OK only.
#include <string>

namespace ruvo {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A question with a question icon; true for Yes, false for No or a closed box.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // A notice with an OK button only.
    virtual void ShowNotice(const std::string& text, const std::string& title) = 0;
};

}  // namespace ruvo
