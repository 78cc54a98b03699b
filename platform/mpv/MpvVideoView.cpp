#include "platform/mpv/MpvVideoView.h"

#include "platform/mpv/MpvGlVideoView.h"
#include "platform/mpv/MpvSoftwareVideoView.h"

namespace ruvo {

MpvVideoView* MpvVideoView::Create(Kind kind, QWidget* parent) {
    if (kind == Kind::Software) return new MpvSoftwareVideoView(parent);
    return new MpvGlVideoView(parent);
}

}  // namespace ruvo
