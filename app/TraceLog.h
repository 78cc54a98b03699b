#pragma once
// An opt-in diagnostic trace: when RUVO_TRACE names a file, every change the
// logic makes to the window's controls and every tray tip is appended to it
// as one line ("text zhun=...", "visible pso=1", "tip ...", "player started"),
// after the monotonic time in milliseconds. It costs nothing when off; tests,
// benchmarks and bug reports read it.
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/Dialogs.h"
#include "platform/ProgramForms.h"
#include "platform/Tray.h"
#include "platform/WindowControls.h"

namespace ruvo {

class TraceLog {
public:
    explicit TraceLog(std::string path) : path_(std::move(path)) {}
    void Line(const std::string& line);

private:
    std::string path_;
};

// The name a control is traced under: "zhun", "npc11", "bo_but0" ...
std::string TraceName(ControlId control);

// Passes every call on to `inner` and traces the changes.
class TracedControls final : public WindowScreen {
public:
    TracedControls(WindowScreen& inner, TraceLog& log) : inner_(inner), log_(log) {}
    void SetText(ControlId c, const std::string& text) override;
    void SetTooltip(ControlId c, const std::string& text) override;
    void SetVisible(ControlId c, bool visible) override;
    void SetEnabled(ControlId c, bool enabled) override { inner_.SetEnabled(c, enabled); }
    void SetPicture(ControlId c, int image) override { inner_.SetPicture(c, image); }
    void Describe(ControlId c, const SpokenControl& spoken) override { inner_.Describe(c, spoken); }
    void SetSliderValue(ControlId c, SliderValue value) override { inner_.SetSliderValue(c, value); }
    void SetDownloaded(ControlId c, int perMille) override { inner_.SetDownloaded(c, perMille); }
    Rect Geometry(ControlId c) const override { return inner_.Geometry(c); }
    void Move(ControlId c, const Rect& rect) override { inner_.Move(c, rect); }

private:
    using Key = std::pair<int, int>;
    static Key KeyOf(ControlId c) { return {static_cast<int>(c.name), c.index}; }

    WindowScreen& inner_;
    TraceLog& log_;
    // As last set, to trace changes only (a control's first setting always).
    std::map<Key, std::string> texts_, tooltips_;
    std::map<Key, bool> visible_;
};

class TracedTray final : public TrayIcon {
public:
    TracedTray(TrayIcon& inner, TraceLog& log) : inner_(inner), log_(log) {}
    void ShowTrayTip(const std::string& text) override {
        log_.Line("tip " + text);
        inner_.ShowTrayTip(text);
    }
    bool IsAvailable() const override { return inner_.IsAvailable(); }
    bool CanShowTrayTips() const override { return inner_.CanShowTrayTips(); }
    void AddTrayIcon(const std::string& tooltip) override {
        log_.Line("tray added " + tooltip);
        inner_.AddTrayIcon(tooltip);
    }
    void RemoveTrayIcon() override {
        log_.Line("tray removed");
        inner_.RemoveTrayIcon();
    }

private:
    TrayIcon& inner_;
    TraceLog& log_;
};

// Traces each question ("ask <title> <text>", then "answer yes|no") and notice.
class TracedDialogs final : public Dialogs {
public:
    TracedDialogs(Dialogs& inner, TraceLog& log) : inner_(inner), log_(log) {}
    bool AskYesNo(const std::string& text, const std::string& title, Default enter = Default::No,
                  Icon icon = Icon::Question) override {
        log_.Line("ask " + title + " " + text);
        const bool yes = inner_.AskYesNo(text, title, enter, icon);
        log_.Line(yes ? "answer yes" : "answer no");
        return yes;
    }
    void ShowNotice(const std::string& text, const std::string& title) override {
        log_.Line("notice " + title + " " + text);
        inner_.ShowNotice(text, title);
    }
    std::string ChooseFile(const std::string& title, const std::string& filter, const std::string& startFolder) override {
        return inner_.ChooseFile(title, filter, startFolder);
    }
    std::string ChooseFolder(const std::string& initialFolder, const std::string& title) override {
        return inner_.ChooseFolder(initialFolder, title);
    }
    std::string AskText(const std::string& prompt, const std::string& title) override {
        return inner_.AskText(prompt, title);
    }

private:
    Dialogs& inner_;
    TraceLog& log_;
};

// Traces the exit routine's window steps ("unload BA1", "end" ...).
class TracedForms final : public ProgramForms {
public:
    TracedForms(ProgramForms& inner, TraceLog& log) : inner_(inner), log_(log) {}
    void Unload(FormName form) override;
    void ShowFloatingAd() override {
        log_.Line("show adsb");
        inner_.ShowFloatingAd();
    }
    void ShowRecommendationAndEnd() override {
        log_.Line("show ba4");
        inner_.ShowRecommendationAndEnd();
    }
    void EndProcess() override {
        log_.Line("end");
        inner_.EndProcess();
    }

private:
    ProgramForms& inner_;
    TraceLog& log_;
};

}  // namespace ruvo
