#pragma once
// The settings dialog as a Qt dialog: a vertical strip of three tabs,
// their stacked pages and the buttons OK, Cancel and Apply.
#include <QDialog>
#include <array>

#include "platform/SettingsDialogView.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace ruvo {

class SettingsDialogWidget final : public QDialog, public SettingsDialogView {
public:
    explicit SettingsDialogWidget(QWidget* owner);

    void SetActions(SettingsDialogActions actions) override { actions_ = std::move(actions); }
    void SetChecked(int index, bool checked) override;
    bool IsChecked(int index) const override;
    void SetFolderText(const std::string& text) override;
    std::string FolderText() const override;
    void ShowTab(int index, const std::string& header) override;
    void Show() override;
    void Close() override { hide(); }
    bool IsOpen() const override { return isVisible(); }
    // "x,y,width,height" of a control in the dialog ("Check1_8", "cmdApply"...), for the trace.
    std::string PlaceOf(const QString& name) const;

protected:
    void reject() override;  // Esc and the window's close button cancel
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* AboutPage();
    QWidget* OptionsPage();
    QWidget* FolderPage();
    QCheckBox* Box(int index, const char* caption);

    SettingsDialogActions actions_;
    std::array<QLabel*, 3> tabs_{};
    std::array<QCheckBox*, 11> boxes_{};  // index 4 stays empty
    QLabel* header_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QLineEdit* folder_ = nullptr;
};

}  // namespace ruvo
