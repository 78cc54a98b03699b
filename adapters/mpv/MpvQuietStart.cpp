#include "adapters/mpv/MpvQuietStart.h"

#include <dlfcn.h>
#include <glob.h>

namespace ruvo {
namespace {

// The sound library's handler type (alsa/error.h), without its header.
using SoundErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
using SetSoundErrorHandler = int (*)(SoundErrorHandler);

void IgnoreSoundError(const char*, int, const char*, int, const char*, ...) {}

bool AnyPathMatches(const char* pattern) {
    glob_t found{};
    const bool any = glob(pattern, GLOB_NOSORT, nullptr, &found) == 0 && found.gl_pathc > 0;
    globfree(&found);
    return any;
}

}  // namespace

void SilenceSoundLibraryErrors() {
    // Only the copy libmpv brought in: the program does not load it itself.
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!library) return;
    if (auto set = reinterpret_cast<SetSoundErrorHandler>(dlsym(library, "snd_lib_error_set_handler"))) set(IgnoreSoundError);
    dlclose(library);  // drops the reference NOLOAD took; libmpv keeps it loaded
}

const char* HardwareDecodingChoice() {
    const bool device = AnyPathMatches("/dev/dri/renderD*") || AnyPathMatches("/dev/nvidia[0-9]*");
    return device ? "auto-safe" : "no";
}

}  // namespace ruvo
