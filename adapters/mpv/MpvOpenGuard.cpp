#include "adapters/mpv/MpvOpenGuard.h"

#include "adapters/mpv/MpvLibrary.h"

namespace ruvo {
namespace {

constexpr const char* kOpenName = "stream-open-filename";
// What a refused load opens instead: a scheme no stream of libmpv's takes,
// so the load fails at once without touching the network or the disk.
constexpr const char* kRefusedAddress = "refused://";

// Per-item options of what came from the web. libmpv's own playlist, EDL
// and cue readers open the addresses their text names without a load of
// their own (an EDL from the web reached gopher and rtsp hosts), and a copy
// downloaded ahead counts as a local file to them: such items are read by
// FFmpeg's demuxers only, HLS among them, which fetch within the protocol
// list below. Nor are files beside a copy taken for its subtitles or cover.
constexpr const char* kWebItemOptions = "demuxer=lavf,sub-auto=no,audio-file-auto=no,cover-art-auto=no";

}  // namespace

void MpvOpenGuard::SetOptions(const MpvLibrary& lib, mpv_handle* mpv) {
    // A playlist or EDL from the web may not name a file of this computer
    // (libmpv's default, kept on purpose), and what FFmpeg opens from within
    // a stream (HLS segments, keys, a redirect's connection) is on the web.
    lib.set_option_string(mpv, "load-unsafe-playlists", "no");
    lib.set_option_string(mpv, "demuxer-lavf-o", "protocol_whitelist=[http,https,tcp,tls,crypto]");
    // The same list for the streams libmpv opens through FFmpeg itself.
    lib.set_option_string(mpv, "stream-lavf-o", "protocol_whitelist=[http,https,tcp,tls,crypto]");
}

bool MpvOpenGuard::Install(const MpvLibrary& lib, mpv_handle* mpv) { return lib.hook_add(mpv, kHookReply, "on_load", 0) >= 0; }

bool MpvOpenGuard::Load(const MpvLibrary& lib, mpv_handle* mpv, const std::string& address, const OpenRules& rules,
                        int startSeconds) {
    rules_ = rules;
    std::string options = rules.origin == AddressOrigin::User ? "" : kWebItemOptions;
    if (startSeconds > 0) options += (options.empty() ? "start=" : ",start=") + std::to_string(startSeconds);
    const char* command[] = {"loadfile", address.c_str(), "replace", options.empty() ? nullptr : options.c_str(), nullptr};
    return lib.command_async(mpv, 0, command) >= 0;
}

bool MpvOpenGuard::Handle(const MpvLibrary& lib, mpv_handle* mpv, const mpv_event& event) {
    if (event.event_id == MPV_EVENT_HOOK && event.reply_userdata == kHookReply) {
        waitingHook_ = static_cast<const mpv_event_hook*>(event.data)->id;
        // Read and answered by events: the hook holds libmpv's core, never
        // the user-interface thread.
        if (lib.get_property_async(mpv, kNameReply, kOpenName, MPV_FORMAT_STRING) < 0) Continue(lib, mpv);
        return true;
    }
    if (event.event_id == MPV_EVENT_GET_PROPERTY_REPLY && event.reply_userdata == kNameReply) {
        const auto* property = static_cast<const mpv_event_property*>(event.data);
        const char* name = event.error >= 0 && property && property->format == MPV_FORMAT_STRING && property->data
                               ? *static_cast<char**>(property->data)
                               : nullptr;
        if (name && MayOpenOnTheWay(name, rules_)) {
            Continue(lib, mpv);
            return true;
        }
        if (refused_) refused_(name ? name : "");
        const char* refusal = kRefusedAddress;
        // Continued once libmpv has taken the new address, not before; should
        // it not take it, nothing plays on.
        if (lib.set_property_async(mpv, kRewriteReply, kOpenName, MPV_FORMAT_STRING, &refusal) >= 0) return true;
        const char* stop[] = {"stop", nullptr};
        lib.command_async(mpv, 0, stop);
        Continue(lib, mpv);
        return true;
    }
    if (event.event_id == MPV_EVENT_SET_PROPERTY_REPLY && event.reply_userdata == kRewriteReply) {
        Continue(lib, mpv);
        return true;
    }
    return false;
}

void MpvOpenGuard::Continue(const MpvLibrary& lib, mpv_handle* mpv) {
    if (waitingHook_ != 0) lib.hook_continue(mpv, waitingHook_);
    waitingHook_ = 0;
}

}  // namespace ruvo
