#pragma once
// The window's named controls on Qt widgets. A control the window has no
// widget for keeps its place all the same, so the logic can read it back.
#include <QWidget>
#include <functional>
#include <map>
#include <optional>

#include "platform/WindowControls.h"

namespace ruvo {

// The property that makes a label keep this many pixels to its parent's
// right edge as its text changes its width.
inline constexpr const char* kRightMarginProperty = "rightMargin";

class QtWindowControls final : public WindowScreen {
public:
    void Register(ControlId control, QWidget* widget);
    // Shows a picture of a control's strip on its widget.
    void SetPictureDrawer(std::function<void(ControlId, int, QWidget*)> drawer) { drawer_ = std::move(drawer); }
    QWidget* WidgetOf(ControlId control) const;
    // The control a widget stands for, to route its events by; nullopt for
    // a widget that is none of them.
    std::optional<ControlId> ControlOf(const QObject* widget) const;

    void SetText(ControlId control, const std::string& text) override;
    void SetTooltip(ControlId control, const std::string& text) override;
    void SetVisible(ControlId control, bool visible) override;
    void SetEnabled(ControlId control, bool enabled) override;
    void SetPicture(ControlId control, int image) override;
    void Describe(ControlId control, const SpokenControl& spoken) override;
    void SetSliderValue(ControlId track, SliderValue value) override;
    void SetDownloaded(ControlId track, int perMille) override;
    Rect Geometry(ControlId control) const override;
    void Move(ControlId control, const Rect& rect) override;
    // The window shows or hides a control for a while on its own (the
    // player bar over a full-screen or compact picture): the logic still
    // sees, and may change, whether it wants it shown; nothing (nullopt)
    // gives the control back to the logic as it last wanted it.
    void Override(ControlId control, std::optional<bool> shown);

private:
    struct Values {
        bool visible = true;
        Rect rect;
    };
    using Key = std::pair<int, int>;
    static Key KeyOf(ControlId control) { return {static_cast<int>(control.name), control.index}; }

    std::map<Key, QWidget*> widgets_;
    std::map<const QObject*, ControlId> controlsOf_;
    std::function<void(ControlId, int, QWidget*)> drawer_;
    mutable std::map<Key, Values> values_;
    std::map<Key, bool> overridden_;  // overridden controls and whether the logic wants them shown
};

}  // namespace ruvo
