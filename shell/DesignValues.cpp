#include "shell/DesignValues.h"

#include <array>

namespace ruvo {
namespace {

constexpr std::array<const char*, 8> kTransportTooltips{"播放", "停止", "静音", "全屏", "打开文件", "下一个", "上一个", "隐藏右侧"};

// Each button's resting picture in the strip.
constexpr std::array<int, 8> kTransportPictures{2, 3, 7, 11, 0, 14, 16, 18};

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
        c.SetPicture({ControlName::bo_but, i}, kTransportPictures[static_cast<size_t>(i)]);
    }
    for (const auto& [index, text] : kNavigationTooltips) c.SetTooltip({ControlName::npc, index}, text);
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
