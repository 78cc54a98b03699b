#include "shell/ButtonLooks.h"

namespace ruvo {
namespace {

PictureCell TitleCell(int picture, int x) { return {picture, {x, 0, 24, 24}}; }

}  // namespace

PictureCell ButtonLook(int index, bool hover, bool maximized, bool topMost) {
    const int strip = hover ? kTitleStripHover : kTitleStripNormal;
    switch (index) {
        case 0: return TitleCell(strip, 72);
        case 1: return maximized ? TitleCell(kRestoreStrip, hover ? 24 : 0) : TitleCell(strip, 96);
        case 2: return TitleCell(strip, 120);
        case 3: return TitleCell(strip, 0);
        case 4: return TitleCell(kTopMostStrip, (topMost ? 48 : 0) + (hover ? 24 : 0));
        case 5: return TitleCell(strip, 48);
        case 10: return {kToggleStrip, {hover ? 20 : 0, 0, 20, 20}};
        case 11: return {kToggleStrip, {hover ? 60 : 40, 0, 20, 20}};
        default: break;
    }
    return {};
}

FrameLook FrameLookOf(const MainWindowHost& host, const FrameState& frame) {
    return {host.IsMaximized(), frame.topMost, frame.leftPanelShown, frame.rightPanelShown};
}

std::string WindowButtonTip(int index, const FrameLook& look) {
    switch (index) {
        case 0: return "最小化";
        case 1: return look.maximized ? "还原" : "最大化";
        case 2: return "关闭";
        case 3: return "精简模式";
        case 4: return look.topMost ? "取消置顶" : "置顶";
        case 5: return "菜单";
        case 10: return look.leftPanelShown ? "关闭" : "打开";
        case 11: return look.rightPanelShown ? "关闭" : "打开";
        default: return {};
    }
}

void DrawWindowButtonTips(WindowControls& controls, const MainWindowHost& host, const FrameState& frame) {
    DrawWindowButtonTips(controls, FrameLookOf(host, frame));
}

void DrawWindowButtonTips(WindowControls& controls, const FrameLook& look) {
    for (int index : {0, 1, 2, 3, 4, 5, 10, 11})
        controls.SetTooltip({ControlName::WindowButton, index}, WindowButtonTip(index, look));
}

PictureCell TabLook(RightPanelTab tab, bool selected) {
    const int column = static_cast<int>(tab) - static_cast<int>(RightPanelTab::TitlePages);
    return {kTabStrip, {column * 65, selected ? 23 : 0, 65, 23}};
}

}  // namespace ruvo
