#include "playback/BarProgress.h"

#include "playback/PlayTime.h"

namespace ruvo {
namespace {

std::string TimesText(int position, int duration) { return FormatPlayTime(position) + " / " + FormatPlayTime(duration); }

int KnobRange(SeekTrackSizes sizes) { return sizes.trackWidth - sizes.knobWidth; }

}  // namespace

SeekTrackSizes SeekTrackSizesOf(const WindowView& view) {
    return {view.Geometry({ControlName::SeekTrack}).width, view.Geometry({ControlName::SeekKnob}).width};
}

BarProgress ProgressAt(int position, int duration, int downloadedPerMille, SeekTrackSizes sizes) {
    BarProgress p;
    p.times = TimesText(position, duration);
    p.knobLeft = KnobLeft(position, duration, KnobRange(sizes));
    p.knobTooltip = FormatPlayTime(position);
    // Out of sight to the left while nothing is downloaded.
    p.downloaded = downloadedPerMille >= 1 ? TrackSpan{0, sizes.trackWidth * downloadedPerMille / 1000} : TrackSpan{-30, 0};
    p.seconds = {position, duration};
    return p;
}

BarProgress SoughtTo(int position, int duration, SeekTrackSizes sizes) {
    BarProgress p;
    p.times = TimesText(position, duration);
    // A stream of unknown length has no place on the track.
    if (duration != 0) p.knobLeft = KnobLeft(position, duration, KnobRange(sizes));
    p.seconds = {position, duration};
    return p;
}

BarProgress Stopped() { return {TimesText(0, 0), 0, std::nullopt, TrackSpan{-30, 0}, {}}; }

BarProgress InThePagePlayer() { return {"", 0, std::nullopt, TrackSpan{0, 0}, {}}; }

void DrawBarProgress(WindowView& view, const BarProgress& progress) {
    view.SetText({ControlName::PlayTimes}, progress.times);
    if (progress.knobLeft) MoveLeftEdge(view, {ControlName::SeekKnob}, *progress.knobLeft);
    if (progress.knobTooltip) view.SetTooltip({ControlName::SeekKnob}, *progress.knobTooltip);
    if (progress.downloaded)
        PlaceHorizontally(view, {ControlName::DownloadedBar}, progress.downloaded->left, progress.downloaded->width);
    view.SetSliderValue({ControlName::SeekTrack}, progress.seconds);
}

}  // namespace ruvo
