#include "playback/TransportControls.h"

#include "base/NumberText.h"
#include "portal/MainWindow.h"

namespace ruvo {

void TransportControls::ClickStop() {
    Player& player = window_.PlayerControl();
    if (player.PlayUrl().empty()) return;
    WindowControls& c = window_.Controls();
    MainWindowState& s = window_.State();
    c.SetVisible({ControlName::ad_huan}, false);
    c.SetVisible({ControlName::bo_ad}, true);
    player.SetVisible(false);
    if (s.historyKey != "0" && s.lastPosition > 0) {
        if (s.historyListKind == 1) window_.Lists().SaveHistoryPosition(TextToInt(s.historyKey), s.lastPosition);
        else if (s.historyListKind == 2) window_.Lists().SaveLocalFilePosition(s.historyKey, s.lastPosition);
    }
    s.lastPosition = 0;
    window_.TimerOf(WindowTimer::Timer1).SetEnabled(false);
    player.Stop();
    c.SetTooltip({ControlName::bo_but, 0}, "播放");
    c.SetPicture({ControlName::bo_but, 0}, 2);
    c.SetText({ControlName::zhun}, "已停止");
    Rect bar = c.Geometry({ControlName::huan});
    c.Move({ControlName::huan}, {-30, bar.top, 0, bar.height});
    c.SetText({ControlName::times}, "00:00 / 00:00");
    Rect knob = c.Geometry({ControlName::gunt1});
    c.Move({ControlName::gunt1}, {0, knob.top, knob.width, knob.height});
    c.SetPicture({ControlName::bo_but, 1}, 3);
}

}  // namespace ruvo
