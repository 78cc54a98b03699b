#pragma once
// How the menu and the status line name an audio or subtitle track. The
// names come from the media file: untrusted text, kept short and plain.
#include <string>

#include "platform/Player.h"

namespace ruvo {

// "国语 (中文)", "English (英语)", "中文" or "音轨 2" when the file names
// nothing; at most some 40 characters, without control characters.
std::string TrackName(const MediaTrack& track);
// The status line after a choice: "音轨：国语 (中文)", "字幕：关闭".
std::string TrackChoiceText(TrackKind kind, const MediaTrack* track);

}  // namespace ruvo
