#include "shell/FrameMouse.h"

#include <string>

#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "shell/ButtonLooks.h"
#include "shell/FrameGeometry.h"
#include "view/TipPanel.h"

namespace ruvo {
namespace {

bool IsTitleButton(WindowButton button) { return button <= WindowButton::Menu; }

}  // namespace

void FrameMouse::SurfaceMove(bool leftHeld, int x, int y) {
    ResetLabelColors();
    WindowSurface& surface = parts_.surface;
    const int W = surface.InnerWidth(), H = surface.InnerHeightPixels();
    const BorderZone zone = ZoneAt(x, y, W, H);
    const bool beyond = x < 0 || y < 0 || x > W || y > H;
    if (leftHeld || zone == BorderZone::Inside || beyond) {
        surface.SetCursorShape(CursorShape::Arrow);
        bodyDragActive_ = true;
        const bool inMiddle = y > kBorderPixels && x > kBorderPixels && x < W - kBorderPixels;
        if (!parts_.host.IsMaximized() && leftHeld && inMiddle) {
            parts_.host.ReleaseMouse();
            surface.StartSystemMove();
        }
        return;
    }
    surface.SetCursorShape(CursorOf(zone));
    bodyDragActive_ = false;
}

void FrameMouse::SurfaceDown(int x, int y) {
    WindowSurface& surface = parts_.surface;
    const BorderZone zone = ZoneAt(x, y, surface.InnerWidth(), surface.InnerHeightPixels());
    if (parts_.host.IsMaximized() || zone == BorderZone::Inside) return;
    surface.SetCursorShape(CursorOf(zone));
    resizeInProgress_ = true;
    parts_.host.ReleaseMouse();
    bodyDragActive_ = false;
    surface.StartSystemResize(EdgeOf(zone));
}

void FrameMouse::ResizeEnded() {
    const FrameState& frame = parts_.frame;
    MainWindowHost& host = parts_.host;
    // Only the full layout's size is worth restoring later.
    if (!frame.leftPanelShown || !frame.rightPanelShown || frame.compact) return;
    if (host.IsMaximized() || host.IsMinimized()) return;
    SettingsFile& settings = parts_.settings;
    settings.Write(kSavedWidth.section, kSavedWidth.key, std::to_string(host.WidthTwips()));
    settings.Write(kSavedHeight.section, kSavedHeight.key, std::to_string(host.HeightTwips()));
}

void FrameMouse::SurfaceUp() {
    parts_.surface.SetCursorShape(CursorShape::Arrow);
    if (resizeInProgress_ && !bodyDragActive_) resizeInProgress_ = false;
}

void FrameMouse::SurfaceDoubleClick() {
    if (parts_.toggleMaximized) parts_.toggleMaximized();
}

void FrameMouse::ButtonMove(WindowButton button, int x, int y) {
    WindowSurface& surface = parts_.surface;
    WindowView& c = parts_.controls;
    surface.SetCursorShape(CursorShape::Arrow);
    const bool toggle = button == WindowButton::LeftPanelToggle || button == WindowButton::RightPanelToggle;
    if (!IsTitleButton(button) && !toggle) return;
    const Rect place = c.Geometry(ControlOf(button));
    const bool inside = x >= 0 && x <= place.width && y >= 0 && y <= place.height;
    DrawButton(button, inside);
    if (!IsTitleButton(button)) return;
    if (!inside) return HideTipPanel(c);
    ShowTipPanel(c, TipAnchor::TitleBar, place, WindowButtonTip(button, FrameLookOf(parts_.host, parts_.frame)),
                 parts_.host.InnerHeight());
}

void FrameMouse::DrawButton(WindowButton button, bool hover) {
    const bool maximized = parts_.host.IsMaximized();
    const bool topMost = parts_.frame.topMost;
    parts_.surface.DrawCell(ControlOf(button), ButtonLook(button, hover, maximized, topMost));
}

void FrameMouse::DrawRestingLooks() {
    for (const WindowButton button : kFrameButtons) DrawButton(button, false);
}

void FrameMouse::LabelMove(bool restoreLabel) {
    parts_.surface.SetCursorShape(CursorShape::Arrow);
    parts_.surface.SetTextColor({restoreLabel ? ControlName::RestoreLabel : ControlName::ListAction}, kLabelHoverColor);
}

void FrameMouse::ResetLabelColors() {
    ResetLabelColor(true);
    ResetLabelColor(false);
}

void FrameMouse::ResetLabelColor(bool restoreLabel) {
    WindowSurface& surface = parts_.surface;
    const ControlId label{restoreLabel ? ControlName::RestoreLabel : ControlName::ListAction};
    const unsigned normal = restoreLabel ? kRestoreLabelColor : kListLabelColor;
    parts_.surface.SetCursorShape(CursorShape::Arrow);
    if (surface.TextColor(label) != normal) surface.SetTextColor(label, normal);
}

}  // namespace ruvo
