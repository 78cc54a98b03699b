#pragma once
// Modal message boxes. Every question of the program has the buttons Yes and
// No; notices have OK only.
#include <string>

namespace ruvo {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Which answer Enter gives: the one that keeps the program and the
    // user's data (No for a question that deletes or exits).
    enum class Default { No, Yes };
    enum class Icon { Question, None };
    // A question, with a question icon unless told otherwise; true for Yes,
    // false for No or a closed box.
    virtual bool AskYesNo(const std::string& text, const std::string& title, Default enter = Default::No,
                          Icon icon = Icon::Question) = 0;
    // A notice with an OK button only.
    virtual void ShowNotice(const std::string& text, const std::string& title) = 0;
    // The open-file dialog. `filter` is pairs of description and patterns
    // joined by "|" ("影音文件|*.mp4;*.mkv|所有文件|*.*"). It starts in
    // `startFolder` when that is a folder, else where the last file was chosen.
    // Returns the chosen path, or "" when the dialog was cancelled.
    virtual std::string ChooseFile(const std::string& title, const std::string& filter,
                                   const std::string& startFolder = "") = 0;
    // The folder dialog, starting at `initialFolder` when it is not empty.
    // Returns the chosen folder's path, or "" when the dialog was cancelled.
    virtual std::string ChooseFolder(const std::string& initialFolder, const std::string& title) = 0;
    // A one-line text the user types; "" when the dialog was cancelled.
    virtual std::string AskText(const std::string&, const std::string&) { return {}; }
};

}  // namespace ruvo
