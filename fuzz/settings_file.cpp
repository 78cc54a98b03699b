// The settings file reader and writer on any file content: no crash, and a
// value written is the value read back.
#include "FuzzSupport.h"
#include "config/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ruvo;
    const std::string path = fuzz::WriteScratchFile("config.dll", fuzz::TextOf(data, size));
    for (const char* key : {"ts", "quit", "h_w", "s_size", "qvodk"}) ReadSetting(path, "S_q", key, "0");
    ReadSetting(path, "user", "name", "0");
    if (WriteSetting(path, "S_q", "h_w", "14750")) fuzz::Require(ReadSetting(path, "S_q", "h_w", "0") == "14750");
    if (WriteSetting(path, "Player", "Volume", "35")) fuzz::Require(ReadSetting(path, "player", "volume", "0") == "35");
    return 0;
}
