#pragma once
// The address rules inside libmpv's own open path. The program checks the
// address it asks for, but libmpv opens more on its way: the entries of a
// playlist it reads (each a load of its own), the sources an EDL or cue
// sheet names, what FFmpeg's HLS reader fetches, a redirect's target. The
// guard loads each item with the rules of who named it and holds every load
// libmpv starts in its "on_load" hook until the address is checked.
#include <cstdint>
#include <functional>
#include <string>

#include "config/PlayableAddress.h"

struct mpv_handle;
struct mpv_event;

namespace ruvo {

struct MpvLibrary;

class MpvOpenGuard {
public:
    // Sets the options the rules rely on; before mpv_initialize.
    static void SetOptions(const MpvLibrary& lib, mpv_handle* mpv);
    // Registers the hook; after mpv_initialize. False when libmpv refuses it
    // (then nothing may be loaded through this handle).
    static bool Install(const MpvLibrary& lib, mpv_handle* mpv);

    // Loads `address` in place of what plays (from `startSeconds` when
    // above 0) under `rules`, which hold for every load until the next
    // Load. False when libmpv did not take the command.
    bool Load(const MpvLibrary& lib, mpv_handle* mpv, const std::string& address, const OpenRules& rules,
              int startSeconds);

    // Takes the hook's event and the replies to the guard's own requests;
    // true when `event` was one of them (nobody else needs it).
    bool Handle(const MpvLibrary& lib, mpv_handle* mpv, const mpv_event& event);

    // Hears each address refused (libmpv then fails that load, and goes on
    // to a playlist's next entry, which is checked in turn).
    void SetRefusalObserver(std::function<void(const std::string&)> observer) { refused_ = std::move(observer); }

private:
    static constexpr uint64_t kHookReply = 2000, kNameReply = 2001, kRewriteReply = 2002;
    void Continue(const MpvLibrary& lib, mpv_handle* mpv);

    OpenRules rules_;
    uint64_t waitingHook_ = 0;  // the hook held while its address is read or rewritten
    std::function<void(const std::string&)> refused_;
};

}  // namespace ruvo
