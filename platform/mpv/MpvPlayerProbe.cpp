#include "platform/mpv/MpvPlayerProbe.h"

#include <mpv/client.h>

#include <clocale>

namespace ruvo {

bool MpvPlayerProbe::CanCreatePlayer() {
    std::setlocale(LC_NUMERIC, "C");  // libmpv refuses to start under a locale with a decimal comma
    mpv_handle* handle = mpv_create();
    if (!handle) return false;
    mpv_set_option_string(handle, "config", "no");    // the user's mpv.conf must not change the check
    mpv_set_option_string(handle, "terminal", "no");  // nothing on the console
    mpv_set_option_string(handle, "vo", "null");      // no window for a check
    mpv_set_option_string(handle, "ao", "null");
    const int result = mpv_initialize(handle);
    mpv_terminate_destroy(handle);
    return result >= 0;
}

}  // namespace ruvo
