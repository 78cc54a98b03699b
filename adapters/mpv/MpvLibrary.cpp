#include "adapters/mpv/MpvLibrary.h"

#include <dlfcn.h>

#include <mutex>
#include <thread>

namespace ruvo {
namespace {

// The library's name with the major version of the API the program is built against.
constexpr const char* kLibraryName = "libmpv.so.2";

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const MpvLibrary* Load() {
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static MpvLibrary mpv;
    const bool complete = Find(library, "mpv_create", mpv.create) && Find(library, "mpv_initialize", mpv.initialize) &&
                          Find(library, "mpv_terminate_destroy", mpv.terminate_destroy) &&
                          Find(library, "mpv_set_option_string", mpv.set_option_string) &&
                          Find(library, "mpv_set_property_async", mpv.set_property_async) &&
                          Find(library, "mpv_get_property_string", mpv.get_property_string) &&
                          Find(library, "mpv_get_property_async", mpv.get_property_async) &&
                          Find(library, "mpv_command_async", mpv.command_async) &&
                          Find(library, "mpv_observe_property", mpv.observe_property) &&
                          Find(library, "mpv_set_wakeup_callback", mpv.set_wakeup_callback) &&
                          Find(library, "mpv_wait_event", mpv.wait_event) && Find(library, "mpv_free", mpv.free) &&
                          Find(library, "mpv_request_log_messages", mpv.request_log_messages) &&
                          Find(library, "mpv_hook_add", mpv.hook_add) &&
                          Find(library, "mpv_hook_continue", mpv.hook_continue) &&
                          Find(library, "mpv_render_context_create", mpv.render_context_create) &&
                          Find(library, "mpv_render_context_free", mpv.render_context_free) &&
                          Find(library, "mpv_render_context_render", mpv.render_context_render) &&
                          Find(library, "mpv_render_context_set_update_callback",
                               mpv.render_context_set_update_callback) &&
                          Find(library, "mpv_render_context_update", mpv.render_context_update) &&
                          Find(library, "mpv_render_context_report_swap", mpv.render_context_report_swap);
    return complete ? &mpv : nullptr;
}

}  // namespace

const MpvLibrary* MpvLibrary::Get() {
    static const MpvLibrary* const loaded = Load();  // one load; other callers wait for it
    return loaded;
}

void MpvLibrary::LoadInBackground() {
    static std::once_flag started;
    std::call_once(started, [] { std::thread([] { Get(); }).detach(); });
}

}  // namespace ruvo
