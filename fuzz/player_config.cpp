// The player's "QvodPlayer.xml" in any shape: reading its download folder
// and rewriting it.
#include "FuzzSupport.h"
#include "base/TextBetween.h"
#include "config/PlayerFolder.h"
#include "settings/PlayerConfigText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = ruvo::fuzz::TextOf(data, size);
    ruvo::fuzz::WriteScratchFile("QvodPlayer.xml", text);
    ruvo::ReadQvodSavePath(ruvo::fuzz::ScratchFolder());
    ruvo::ReplaceSavePath(std::string(text), "/home/u/Videos/", "/home/u/下载/");
    ruvo::TextBetween(text, "SavePath=\"", "\"", ruvo::BetweenMode::InsideMarkers);
    return 0;
}
