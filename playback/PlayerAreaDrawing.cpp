#include "playback/PlayerAreaDrawing.h"

#include "playback/BarProgress.h"

namespace ruvo {
namespace {

bool ProgressChanged(const PlayerArea& now, const PlayerArea& before) {
    return now.position != before.position || now.duration != before.duration || now.downloaded != before.downloaded ||
           now.phase != before.phase || now.centre != before.centre;
}

}  // namespace

void DrawPlayerArea(WindowView& view, const PlayerArea& now, const PlayerArea& before) {
    if (now.centre != before.centre) {
        // The centre shows the player or the page player, never both.
        view.SetVisible({ControlName::PagePlayerBox}, now.ShowsPagePlayer());
        view.SetVisible({ControlName::PlayerBox}, now.ShowsPlayer());
    }
    if (now.cover != before.cover) view.SetVisible({ControlName::PlayerCover}, now.cover);
    if (now.advert != before.advert) view.SetVisible({ControlName::PlayerAdPanel}, now.advert);
    if (now.status != before.status) view.SetText({ControlName::StatusLine}, now.status);
    if (now.title != before.title) view.SetText({ControlName::TitleLine}, now.title);
    if (ProgressChanged(now, before)) DrawAreaProgress(view, now);
}

void DrawAreaProgress(WindowView& view, const PlayerArea& area) {
    if (area.ShowsPagePlayer()) return DrawBarProgress(view, InThePagePlayer());
    if (area.phase == PlayPhase::Nothing) return MoveLeftEdge(view, {ControlName::DownloadedBar}, -30);
    if (area.phase == PlayPhase::Stopped) return DrawBarProgress(view, Stopped());
    DrawBarProgress(view, ProgressAt(area.position, area.duration, area.downloaded, SeekTrackSizesOf(view)));
    // The time label, sized to its text, ends 13 pixels from the player box's right.
    const Rect times = view.Geometry({ControlName::PlayTimes});
    const Rect panel = view.Geometry({ControlName::PlayerBox});
    view.Move({ControlName::PlayTimes}, {panel.width - times.width - 13, 3, times.width, times.height});
}

}  // namespace ruvo
