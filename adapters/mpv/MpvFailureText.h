#pragma once
// Why libmpv could not play an item, in the words the status line uses.
#include <string>

namespace ruvo {

// "无法播放：" and the reason: libmpv's error code and the last error its
// log gave for the item ("http: HTTP error 404 File not found", "Connection
// refused"), in Chinese where the reason is known.
std::string FailureTextOf(int mpvError, const std::string& lastErrorLog);

}  // namespace ruvo
