#include "shell/ButtonLooks.h"

namespace ruvo {
namespace {

PictureCell TitleCell(int picture, int x) { return {picture, {x, 0, 24, 24}}; }

}  // namespace

PictureCell ButtonLook(WindowButton button, bool hover, bool maximized, bool topMost) {
    const int strip = hover ? kTitleStripHover : kTitleStripNormal;
    switch (button) {
        case WindowButton::Minimize: return TitleCell(strip, 72);
        case WindowButton::Maximize: return maximized ? TitleCell(kRestoreStrip, hover ? 24 : 0) : TitleCell(strip, 96);
        case WindowButton::Close: return TitleCell(strip, 120);
        case WindowButton::Compact: return TitleCell(strip, 0);
        case WindowButton::TopMost: return TitleCell(kTopMostStrip, (topMost ? 48 : 0) + (hover ? 24 : 0));
        case WindowButton::Menu: return TitleCell(strip, 48);
        case WindowButton::LeftPanelToggle: return {kToggleStrip, {hover ? 20 : 0, 0, 20, 20}};
        case WindowButton::RightPanelToggle: return {kToggleStrip, {hover ? 60 : 40, 0, 20, 20}};
        default: break;
    }
    return {};
}

FrameLook FrameLookOf(const MainWindowHost& host, const FrameState& frame) {
    return {host.IsMaximized(), frame.topMost, frame.leftPanelShown, frame.rightPanelShown};
}

std::string WindowButtonTip(WindowButton button, const FrameLook& look) {
    switch (button) {
        case WindowButton::Minimize: return "最小化";
        case WindowButton::Maximize: return look.maximized ? "还原" : "最大化";
        case WindowButton::Close: return "关闭";
        case WindowButton::Compact: return "精简模式";
        case WindowButton::TopMost: return look.topMost ? "取消置顶" : "置顶";
        case WindowButton::Menu: return "菜单";
        case WindowButton::LeftPanelToggle: return look.leftPanelShown ? "关闭" : "打开";
        case WindowButton::RightPanelToggle: return look.rightPanelShown ? "关闭" : "打开";
        default: return {};
    }
}

SpokenControl WindowButtonSpoken(WindowButton button, const FrameLook& look) {
    switch (button) {
        case WindowButton::TopMost: return {"总在最前", look.topMost};
        case WindowButton::LeftPanelToggle: return {look.leftPanelShown ? "隐藏左侧面板" : "显示左侧面板", std::nullopt};
        case WindowButton::RightPanelToggle: return {look.rightPanelShown ? "隐藏右侧面板" : "显示右侧面板", std::nullopt};
        default: return {WindowButtonTip(button, look), std::nullopt};
    }
}

SpokenControl TabSpoken(RightPanelTab tab, bool selected) {
    switch (tab) {
        case RightPanelTab::TitlePages: return {"片库", selected};
        case RightPanelTab::WatchHistory: return {"观看记录", selected};
        case RightPanelTab::LocalFiles: return {"本地文件", selected};
    }
    return {};
}

void DrawWindowButtonTips(WindowView& controls, const MainWindowHost& host, const FrameState& frame) {
    DrawWindowButtonTips(controls, FrameLookOf(host, frame));
}

void DrawWindowButtonTips(WindowView& controls, const FrameLook& look) {
    for (const WindowButton button : kFrameButtons) {
        controls.SetTooltip(ControlOf(button), WindowButtonTip(button, look));
        controls.Describe(ControlOf(button), WindowButtonSpoken(button, look));
    }
}

PictureCell TabLook(RightPanelTab tab, bool selected) {
    const int column = static_cast<int>(tab);
    return {kTabStrip, {column * 65, selected ? 23 : 0, 65, 23}};
}

}  // namespace ruvo
