#pragma once
// Which addresses the player may open. libmpv opens far more than web
// addresses: ffmpeg's filter graphs ("av://lavfi:") read and write any file,
// "edl://" and "memory://" make media of text, "fd://" reads an inherited
// descriptor. Only a web address, or a file the user picked, reaches it.
#include <string>
#include <string_view>

namespace ruvo {

// Who named the address.
enum class AddressOrigin {
    Outside,  // a portal's reply or page, or a watch-history row: web addresses only
    User,     // the open-file dialog, a drop, the user's command line, a local-list row
};

// What the player was asked to play, for every address libmpv opens on its
// way: the item, each entry of a playlist it reads, a redirect's target.
struct OpenRules {
    AddressOrigin origin = AddressOrigin::Outside;
    std::string chosen;  // the very address handed to libmpv (a download's copy, the user's file)
};

// The status line's text when the player may not open an address.
inline constexpr const char* kUnsupportedAddressText = "无法播放：不支持的地址";

// True for "http://" or "https://" (in any case) and a host without spaces,
// with no control character anywhere.
bool IsWebAddress(std::string_view address);

// True when the player may open `address` named by `origin`: a web address,
// or, named by the user, the absolute path of an existing regular file.
bool IsPlayableAddress(const std::string& address, AddressOrigin origin);

// True when libmpv may open `address` on its way to playing what `rules`
// name: a web address; the chosen address itself; under the user's own
// item, a file the user could have picked too. A copy downloaded ahead keeps
// the rules of the web address it came from: whatever it names must be on
// the web.
bool MayOpenOnTheWay(const std::string& address, const OpenRules& rules);

// True for an absolute path where nothing is (a file that is gone).
bool IsMissingFile(const std::string& address);

// The status line's text for an address the player may not open: a path of
// the user's that leads nowhere is "无法播放：文件不存在", the rest
// kUnsupportedAddressText.
std::string RefusalTextOf(const std::string& address, AddressOrigin origin);

// The path of a "file://" address on this computer (percent-decoded), else
// `address` as it is; a desktop hands files over in both forms.
std::string LocalPathOf(const std::string& address);

}  // namespace ruvo
