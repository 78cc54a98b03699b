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
        c.SetTooltip({ControlName::TransportButton, i}, kTransportTooltips[static_cast<size_t>(i)]);
        c.SetPicture({ControlName::TransportButton, i}, kTransportRestingPictures[static_cast<size_t>(i)]);
    }
    for (const auto& [index, text] : kNavigationTooltips) c.SetTooltip({ControlName::WindowButton, index}, text);
    c.SetText({ControlName::WindowTitle}, std::string(kWindowCaption) + kVersionSuffix);
    c.SetText({ControlName::RestoreLabel}, "2");  // Marlett's restore sign
    c.SetTooltip({ControlName::RestoreLabel}, "还原");
    c.SetText({ControlName::StatusLine}, "准备就绪");
    c.SetText({ControlName::PlayTimes}, "00:00 / 00:00");
    c.SetText({ControlName::ListAction}, "∴ 管理任务");
    c.SetText({ControlName::SearchBox}, kSearchHint);
    for (const ControlName shown : {ControlName::PlayerBox, ControlName::MainPaneBox, ControlName::LibraryTab, ControlName::RightPanel,
                                    ControlName::LeftPanel, ControlName::PlayerCover})
        c.SetVisible({shown}, true);
    for (const ControlName hidden : {ControlName::PagePlayerBox, ControlName::SearchResultsBox, ControlName::MainAreaNotice, ControlName::SidePaneNotice,
                                     ControlName::WatchHistoryTab, ControlName::LocalFilesTab, ControlName::ScrollAdBar, ControlName::PlayerAdPanel,
                                     ControlName::PlayerAdPicture, ControlName::NextEpisodeNotice, ControlName::StatusStrip, ControlName::RestoreLabel})
        c.SetVisible({hidden}, false);
}

}  // namespace ruvo
