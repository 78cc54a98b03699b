#pragma once
// With RUVO_TRACE set, the window's ports as the diagnostic trace sees them.
#include <string>

#include "app/TraceLog.h"
#include "adapters/mpv/MpvPlayer.h"
#include "adapters/qt/MainWindowWidget.h"
#include "adapters/qt/QtDialogs.h"
#include "adapters/qt/QtProgramForms.h"
#include "adapters/qt/QtTrayIcon.h"
#include "adapters/qt/SettingsDialogWidget.h"

namespace ruvo {

// The settings dialog, tracing where its controls are each time it shows.
class TracedSettingsDialog final : public SettingsDialogView {
public:
    TracedSettingsDialog(SettingsDialogWidget& inner, TraceLog& log) : inner_(inner), log_(log) {}
    void SetActions(SettingsDialogActions actions) override { inner_.SetActions(std::move(actions)); }
    void SetChecked(int index, bool checked) override { inner_.SetChecked(index, checked); }
    bool IsChecked(int index) const override { return inner_.IsChecked(index); }
    void SetFolderText(const std::string& text) override { inner_.SetFolderText(text); }
    std::string FolderText() const override { return inner_.FolderText(); }
    void ShowTab(int index, const std::string& header) override {
        inner_.ShowTab(index, header);
        if (inner_.isVisible()) TracePlaces();
    }
    void Show() override {
        inner_.Show();
        TracePlaces();
    }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }

private:
    void TracePlaces() {
        QTimer::singleShot(300, &inner_, [this] {
            for (const char* name : {"Check1_8", "Check1_0", "cmdApply", "cmdOK", "d_z_1", "Text1"})
                log_.Line(std::string("place ") + name + "=" + inner_.PlaceOf(QString::fromLatin1(name)));
        });
    }
    SettingsDialogWidget& inner_;
    TraceLog& log_;
};

// With RUVO_TRACE set, the controls, tray, questions, exit steps, the
// player's events and the picture's place are traced into that file; else
// the window's own ports are used as they are.
class MaybeTracedPorts {
public:
    MaybeTracedPorts(const char* tracePath, MainWindowWidget& widget, QtTrayIcon& tray, QtDialogs& dialogs,
                     QtProgramForms& forms, SettingsDialogWidget& settings)
        : tracing_(tracePath != nullptr),
          trace_(tracing_ ? tracePath : ""),
          controls_(widget.Controls(), trace_),
          tray_(tray, trace_),
          dialogs_(dialogs, trace_),
          forms_(forms, trace_),
          settings_(settings, trace_),
          widget_(widget),
          plainTray_(tray),
          plainDialogs_(dialogs),
          plainForms_(forms),
          plainSettings_(settings) {}

    bool Tracing() const { return tracing_; }
    TraceLog& Trace() { return trace_; }
    WindowScreen& Controls() { return tracing_ ? static_cast<WindowScreen&>(controls_) : widget_.Controls(); }
    TrayIcon& Tray() { return tracing_ ? static_cast<TrayIcon&>(tray_) : plainTray_; }
    ruvo::Dialogs& Dialogs() { return tracing_ ? static_cast<ruvo::Dialogs&>(dialogs_) : plainDialogs_; }
    ProgramForms& Forms() { return tracing_ ? static_cast<ProgramForms&>(forms_) : plainForms_; }
    SettingsDialogView& Settings() {
        return tracing_ ? static_cast<SettingsDialogView&>(settings_) : plainSettings_;
    }
    void TracePlayer(MpvPlayer& player) {
        if (!tracing_) return;
        player.SetEventObserver([this](const char* event) { trace_.Line(std::string("player ") + event); });
        widget_.VideoSurface()->SetPlaceObserver([this](int x, int y, int width, int height) {
            trace_.Line("place video=" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
                        std::to_string(height));
        });
    }

private:
    bool tracing_;
    TraceLog trace_;
    TracedControls controls_;
    TracedTray tray_;
    TracedDialogs dialogs_;
    TracedForms forms_;
    TracedSettingsDialog settings_;
    MainWindowWidget& widget_;
    QtTrayIcon& plainTray_;
    QtDialogs& plainDialogs_;
    QtProgramForms& plainForms_;
    SettingsDialogWidget& plainSettings_;
};

// Where the full-screen button is once the picture fills the screen (or
// leaves it), for tests that press it there.
void TraceFullScreenBar(MpvPlayer& player, MainWindowWidget& widget, TraceLog& trace);

}  // namespace ruvo
