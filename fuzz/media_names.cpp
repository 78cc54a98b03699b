// Names that come from media files and portal pages: a track's title and
// language shown in the player's menu, and a title line made into a
// screenshot's file name. Any text gives a plain line; a file name never
// leaves its folder, never hides, and stays a PNG's name.
#include "FuzzSupport.h"
#include "base/TextCodec.h"
#include "playback/ScreenshotName.h"
#include "playback/TrackNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(ruvo::fuzz::TextOf(data, size));
    const size_t half = text.size() / 2;
    ruvo::MediaTrack track;
    track.kind = size % 2 ? ruvo::TrackKind::Audio : ruvo::TrackKind::Subtitle;
    track.id = static_cast<int>(size);
    track.title = text.substr(0, half);
    track.language = text.substr(half);
    const std::string name = ruvo::TrackName(track);
    for (const char c : name) ruvo::fuzz::Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    if (ruvo::IsValidUtf8(track.title) && ruvo::IsValidUtf8(track.language)) ruvo::fuzz::Require(ruvo::IsValidUtf8(name));

    const std::string file = ruvo::ScreenshotFileName(text, static_cast<int>(size) - 100);
    ruvo::fuzz::Require(file.find('/') == std::string::npos && file.find('\0') == std::string::npos);
    ruvo::fuzz::Require(!file.empty() && file[0] != '.' && file[0] != ' ');
    ruvo::fuzz::Require(file.size() > 4 && file.compare(file.size() - 4, 4, ".png") == 0);
    if (ruvo::IsValidUtf8(text)) ruvo::fuzz::Require(ruvo::IsValidUtf8(file));
    return 0;
}
