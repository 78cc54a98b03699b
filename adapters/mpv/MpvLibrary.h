#pragma once
// libmpv, loaded the first time a video plays rather than when the program
// starts: with its codecs and filters it is some 170 shared libraries and
// 35 MB that a user who only browses the portal never needs, and on a
// machine without it the program still starts and can say so.
#include <cstddef>

#include <mpv/client.h>
#include <mpv/render.h>

namespace ruvo {

// The libmpv functions the player uses, named as in the library without the
// "mpv_" prefix.
struct MpvLibrary {
    decltype(&::mpv_create) create;
    decltype(&::mpv_initialize) initialize;
    decltype(&::mpv_terminate_destroy) terminate_destroy;
    decltype(&::mpv_set_option_string) set_option_string;
    decltype(&::mpv_set_property_async) set_property_async;
    decltype(&::mpv_get_property_string) get_property_string;
    decltype(&::mpv_get_property_async) get_property_async;
    decltype(&::mpv_command_async) command_async;
    decltype(&::mpv_observe_property) observe_property;
    decltype(&::mpv_set_wakeup_callback) set_wakeup_callback;
    decltype(&::mpv_wait_event) wait_event;
    decltype(&::mpv_free) free;
    decltype(&::mpv_request_log_messages) request_log_messages;
    decltype(&::mpv_hook_add) hook_add;
    decltype(&::mpv_hook_continue) hook_continue;
    decltype(&::mpv_render_context_create) render_context_create;
    decltype(&::mpv_render_context_free) render_context_free;
    decltype(&::mpv_render_context_render) render_context_render;
    decltype(&::mpv_render_context_set_update_callback) render_context_set_update_callback;
    decltype(&::mpv_render_context_update) render_context_update;
    decltype(&::mpv_render_context_report_swap) render_context_report_swap;

    // The loaded library, or nullptr when it is missing or lacks a function
    // (then no video plays in this run). Loaded once; never unloaded.
    static const MpvLibrary* Get();
    // Starts loading it on a thread of its own (once); Get() then waits for
    // that load instead of loading it again.
    static void LoadInBackground();
};

}  // namespace ruvo
