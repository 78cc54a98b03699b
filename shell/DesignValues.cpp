#include "shell/DesignValues.h"

#include <array>
#include <string>

namespace ruvo {
namespace {

constexpr std::array<const char*, 8> kTransportTooltips{"播放", "停止", "静音", "全屏", "打开文件", "下一个", "上一个", "隐藏右侧"};


struct NavigationTooltip {
    int index;
    const char* text;
};
constexpr NavigationTooltip kNavigationTooltips[] = {
    {0, "最小化"}, {1, "最大化"}, {2, "关闭"},      {3, "精简模式"}, {4, "置顶"},
    {5, "菜单"}, {10, "关闭"}, {11, "关闭"},
};

}  // namespace

void ApplyDesignValues(WindowControls& c) {
    for (int i = 0; i < static_cast<int>(kTransportTooltips.size()); ++i) {
        c.SetTooltip({ControlName::bo_but, i}, kTransportTooltips[static_cast<size_t>(i)]);
        c.SetPicture({ControlName::bo_but, i}, kTransportRestingPictures[static_cast<size_t>(i)]);
    }
    for (const auto& [index, text] : kNavigationTooltips) c.SetTooltip({ControlName::npc, index}, text);
    c.SetText({ControlName::ni_name}, std::string(kWindowCaption) + kVersionSuffix);
    c.SetText({ControlName::jbi}, "2");  // Marlett's restore sign
    c.SetTooltip({ControlName::jbi}, "还原");
    c.SetText({ControlName::zhun}, "准备就绪");
    c.SetText({ControlName::times}, "00:00 / 00:00");
    c.SetText({ControlName::qk}, "∴ 管理任务");
    c.SetText({ControlName::soso}, kSearchHint);
    for (const ControlName shown : {ControlName::qvod, ControlName::Pic1, ControlName::P5, ControlName::RightPanel,
                                    ControlName::LeftPanel, ControlName::bo_ad})
        c.SetVisible({shown}, true);
    for (const ControlName hidden : {ControlName::Pic2, ControlName::pso, ControlName::w1, ControlName::w5,
                                     ControlName::P3, ControlName::P4, ControlName::BAD, ControlName::ad_huan,
                                     ControlName::adp, ControlName::next_s, ControlName::bo_zt, ControlName::jbi})
        c.SetVisible({hidden}, false);
}

}  // namespace ruvo
