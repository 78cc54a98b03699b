#pragma once
// The settings dialog as the logic sees it: a strip of three tabs with
// their pages, the option check boxes, the download-folder box and buttons.
#include <functional>
#include <string>

namespace ruvo {

// What the user does in the dialog, wired to the logic by the program.
struct SettingsDialogActions {
    std::function<void(int)> tabClicked;  // d_z index 0-2
    std::function<void()> browse;         // Command1 "浏览"
    std::function<void()> ok;             // cmdOK
    std::function<void()> cancel;         // cmdCancel, also the window's close
    std::function<void()> apply;          // cmdApply
};

class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;
    virtual void SetActions(SettingsDialogActions actions) = 0;
    // The option check box `index`, 0-3 and 5-10.
    virtual void SetChecked(int index, bool checked) = 0;
    virtual bool IsChecked(int index) const = 0;
    // The download-folder box Text1.
    virtual void SetFolderText(const std::string& text) = 0;
    virtual std::string FolderText() const = 0;
    // Highlights tab `index`, shows its page and puts `header` into "bb".
    virtual void ShowTab(int index, const std::string& header) = 0;
    // Shows the dialog, not modal, owned by the main window, with the focus.
    virtual void Show() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

}  // namespace ruvo
