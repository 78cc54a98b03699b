#include "adapters/mpv/MpvSoftwareVideoView.h"

#include <QMetaObject>
#include <QPainter>

#include "adapters/mpv/MpvLibrary.h"

namespace ruvo {

MpvSoftwareVideoView::MpvSoftwareVideoView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // nothing beneath shows through: nothing beneath is repainted
    setMouseTracking(true);                 // full screen shows its bar when the mouse moves over the picture
}

MpvSoftwareVideoView::~MpvSoftwareVideoView() { Detach(); }

void MpvSoftwareVideoView::Attach(const MpvLibrary* library, mpv_handle* mpv, std::function<void(bool)> ready) {
    lib_ = library;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (lib_->render_context_create(&render_, mpv, params) < 0) {
        render_ = nullptr;
        ready(false);
        return;
    }
    // libmpv calls this on one of its own threads: it only queues the work.
    lib_->render_context_set_update_callback(
        render_,
        [](void* self) { QMetaObject::invokeMethod(static_cast<MpvSoftwareVideoView*>(self), "RenderUpdate", Qt::QueuedConnection); },
        this);
    ready(true);
}

void MpvSoftwareVideoView::Detach() {
    if (!render_) return;
    lib_->render_context_set_update_callback(render_, nullptr, nullptr);
    lib_->render_context_free(render_);
    render_ = nullptr;
    frame_ = QImage();
    update();
}

void MpvSoftwareVideoView::RenderUpdate() {
    if (!render_) return;
    if (!(lib_->render_context_update(render_) & MPV_RENDER_UPDATE_FRAME)) return;
    // Hidden or minimised, nothing is painted; the frame is taken all the same,
    // so the player never waits for a paint that does not come.
    if (!isVisible() || window()->isMinimized()) {
        SkipFrame();
        return;
    }
    RenderFrame();
    update();
}

void MpvSoftwareVideoView::SkipFrame() {
    int skip = 1, noWaiting = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &noWaiting},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    lib_->render_context_render(render_, params);
}

void MpvSoftwareVideoView::RenderFrame() {
    const qreal ratio = devicePixelRatioF();  // sharp on a scaled desktop: device pixels, not logical ones
    const QSize pixels(qMax(1, qRound(width() * ratio)), qMax(1, qRound(height() * ratio)));
    if (frame_.size() != pixels) {
        // 32 bits a pixel in memory order B, G, R, unused: libmpv's "bgr0".
        frame_ = QImage(pixels, QImage::Format_RGB32);
        frame_.setDevicePixelRatio(ratio);
    }
    int size[2] = {pixels.width(), pixels.height()};
    size_t stride = static_cast<size_t>(frame_.bytesPerLine());
    int noWaiting = 0;  // never wait in the user-interface thread for a frame's time
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &noWaiting},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("bgr0")},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, frame_.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (lib_->render_context_render(render_, params) < 0) frame_.fill(Qt::black);
}

void MpvSoftwareVideoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.isNull()) painter.fillRect(rect(), Qt::black);
    else painter.drawImage(rect(), frame_);
}

void MpvSoftwareVideoView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    ReportPlace();
}

void MpvSoftwareVideoView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The current frame again at the new size (libmpv keeps it, paused or not).
    if (render_ && isVisible()) RenderFrame();
    ReportPlace();
}

void MpvSoftwareVideoView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (render_) RenderFrame();
    ReportPlace();
}

}  // namespace ruvo
