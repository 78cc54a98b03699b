#pragma once
// An opt-in diagnostic trace: when RUVO_TRACE names a file, every change the
// logic makes to the window's controls and every tray tip is appended to it
// as one line ("text zhun=...", "visible pso=1", "tip ...", "player started"),
// after the monotonic time in milliseconds. It costs nothing when off; tests,
// benchmarks and bug reports read it.
#include <memory>
#include <string>

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
class TracedControls final : public WindowControls {
public:
    TracedControls(WindowControls& inner, TraceLog& log) : inner_(inner), log_(log) {}
    void SetText(ControlId c, const std::string& text) override;
    std::string Text(ControlId c) const override { return inner_.Text(c); }
    void SetTooltip(ControlId c, const std::string& text) override;
    std::string Tooltip(ControlId c) const override { return inner_.Tooltip(c); }
    void SetVisible(ControlId c, bool visible) override;
    bool IsVisible(ControlId c) const override { return inner_.IsVisible(c); }
    void SetEnabled(ControlId c, bool enabled) override { inner_.SetEnabled(c, enabled); }
    void SetPicture(ControlId c, int image) override { inner_.SetPicture(c, image); }
    Rect Geometry(ControlId c) const override { return inner_.Geometry(c); }
    void Move(ControlId c, const Rect& rect) override { inner_.Move(c, rect); }

private:
    WindowControls& inner_;
    TraceLog& log_;
};

class TracedTrayTips final : public TrayTips {
public:
    TracedTrayTips(TrayTips& inner, TraceLog& log) : inner_(inner), log_(log) {}
    void ShowTrayTip(const std::string& text) override {
        log_.Line("tip " + text);
        inner_.ShowTrayTip(text);
    }

private:
    TrayTips& inner_;
    TraceLog& log_;
};

}  // namespace ruvo
