#include "playback/PlayerBarLook.h"

namespace ruvo {

std::string TooltipOf(BarButton button, const BarLook& look) {
    switch (button) {
        case BarButton::PlayPause: return look.playing ? "暂停" : "播放";
        case BarButton::Stop: return "停止";
        case BarButton::Mute: return look.soundOn ? "静音" : "取消静音";
        case BarButton::FullScreen: return "全屏";
        case BarButton::OpenFile: return "打开文件";
        case BarButton::Next: return "下一个";
        case BarButton::Previous: return "上一个";
        case BarButton::RightPanel: return look.rightPanelShown ? "隐藏右侧" : "展开右侧";
    }
    return {};
}

std::string SpokenNameOf(BarButton button, const BarLook& look) {
    switch (button) {
        case BarButton::Next: return "下一集";
        case BarButton::Previous: return "上一集";
        case BarButton::RightPanel: return look.rightPanelShown ? "隐藏右侧面板" : "显示右侧面板";
        default: return TooltipOf(button, look);
    }
}

int PictureOf(BarButton button, bool hovered, const BarLook& look) {
    switch (button) {
        case BarButton::PlayPause: return look.playing ? (hovered ? 4 : 1) : (hovered ? 5 : 2);
        case BarButton::Stop: return hovered ? 6 : 3;
        case BarButton::Mute: return look.soundOn ? (hovered ? 9 : 7) : (hovered ? 10 : 8);
        case BarButton::FullScreen: return hovered ? 12 : 11;
        case BarButton::OpenFile: return hovered ? 13 : 0;
        case BarButton::Next: return hovered ? 15 : 14;
        case BarButton::Previous: return hovered ? 17 : 16;
        case BarButton::RightPanel: return hovered ? 19 : 18;
    }
    return 0;
}

void DrawBarButton(WindowView& controls, BarButton button, const BarLook& look) {
    controls.SetTooltip(ControlOf(button), TooltipOf(button, look));
    controls.Describe(ControlOf(button), {SpokenNameOf(button, look), std::nullopt});
    controls.SetPicture(ControlOf(button), PictureOf(button, false, look));
}

void DrawPlayerBar(WindowView& controls, const BarLook& look) {
    for (int index = 0; index < kBarButtonCount; ++index) DrawBarButton(controls, static_cast<BarButton>(index), look);
}

}  // namespace ruvo
