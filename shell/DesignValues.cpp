#include "shell/DesignValues.h"

#include <string>

#include "playback/PlayerBarLook.h"
#include "shell/ButtonLooks.h"
#include "shell/NavigationButtons.h"

namespace ruvo {

void ApplyDesignValues(WindowView& c) {
    DrawPlayerBar(c, BarLook{});
    DrawWindowButtonTips(c, FrameLook{});
    c.SetText({ControlName::WindowTitle}, std::string(kWindowCaption) + kVersionSuffix);
    c.SetText({ControlName::RestoreLabel}, "2");  // Marlett's restore sign
    c.SetTooltip({ControlName::RestoreLabel}, "还原");
    c.Describe({ControlName::RestoreLabel}, {"还原", std::nullopt});
    c.Describe({ControlName::SearchBox}, {"搜索影片", std::nullopt});
    c.Describe({ControlName::SeekTrack}, {"播放进度", std::nullopt});
    c.Describe({ControlName::VolumeTrack}, {"音量", std::nullopt});
    c.SetText({ControlName::StatusLine}, "准备就绪");
    c.SetText({ControlName::PlayTimes}, "00:00 / 00:00");
    ShowListAction(c, RightPanelTab::WatchHistory);
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
