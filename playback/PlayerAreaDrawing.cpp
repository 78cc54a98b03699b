#include "playback/PlayerAreaDrawing.h"

#include "playback/PlayTime.h"

namespace ruvo {
namespace {

bool ProgressChanged(const PlayerArea& now, const PlayerArea& before) {
    return now.position != before.position || now.duration != before.duration || now.downloaded != before.downloaded ||
           now.phase != before.phase || now.centre != before.centre;
}

std::string TimesText(int position, int duration) { return FormatPlayTime(position) + " / " + FormatPlayTime(duration); }

void DrawProgress(WindowView& view, const PlayerArea& area) {
    constexpr ControlId seekTrack{ControlName::SeekTrack};
    if (area.ShowsPagePlayer()) {  // the page player keeps its own time
        view.SetText({ControlName::PlayTimes}, "");
        view.SetSliderValue(seekTrack, {});
        return view.SetDownloaded(seekTrack, 0);
    }
    if (area.phase == PlayPhase::Nothing || area.phase == PlayPhase::Stopped) {
        view.SetText({ControlName::PlayTimes}, TimesText(0, 0));
        view.SetSliderValue(seekTrack, {});
        return view.SetDownloaded(seekTrack, 0);
    }
    DrawSeekPosition(view, area.position, area.duration);
    view.SetTooltip({ControlName::SeekKnob}, FormatPlayTime(area.position));
    view.SetDownloaded(seekTrack, area.downloaded);
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
    if (ProgressChanged(now, before)) DrawProgress(view, now);
    if (now.skip != before.skip) {
        if (now.skip != SkipOffer::None)
            view.SetText({ControlName::SkipButton}, now.skip == SkipOffer::Opening ? "跳过片头" : "跳过片尾");
        view.SetVisible({ControlName::SkipButton}, now.skip != SkipOffer::None);
    }
}

void DrawSeekPosition(WindowView& view, int position, int duration) {
    view.SetText({ControlName::PlayTimes}, TimesText(position, duration));
    view.SetSliderValue({ControlName::SeekTrack}, {position, duration});
}

}  // namespace ruvo
