#include "adapters/mpv/MpvFailureText.h"

#include <mpv/client.h>

#include <utility>

namespace ruvo {

std::string FailureTextOf(int mpvError, const std::string& lastErrorLog) {
    // The first pattern the log holds names the reason.
    static const std::pair<const char*, const char*> kReasons[] = {
        {"HTTP error 404", "找不到文件(404)"},
        {"HTTP error 403", "拒绝访问(403)"},
        {"HTTP error", "服务器出错"},
        {"Connection refused", "连接被拒绝"},
        {"Failed to resolve", "找不到服务器"},
        {"timed out", "连接超时"},
        {"No such file", "文件不存在"},
        {"Permission denied", "没有读取权限"},
    };
    for (const auto& [pattern, reason] : kReasons)
        if (lastErrorLog.find(pattern) != std::string::npos) return std::string("无法播放：") + reason;
    if (mpvError == MPV_ERROR_UNKNOWN_FORMAT) return "无法播放：不支持的格式";
    if (mpvError == MPV_ERROR_NOTHING_TO_PLAY) return "无法播放：没有可播放的音视频";
    return "无法播放：打开失败";
}

}  // namespace ruvo
