#include "adapters/mpv/MpvGlVideoView.h"

#include <mpv/render_gl.h>

#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cstdio>

#include "adapters/mpv/MpvLibrary.h"

namespace ruvo {
namespace {

void* ProcAddress(void*, const char* name) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

}  // namespace

MpvGlVideoView::MpvGlVideoView(QWidget* parent) : QOpenGLWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // full screen shows its bar when the mouse moves over the picture
}

MpvGlVideoView::~MpvGlVideoView() { Detach(); }

void MpvGlVideoView::Attach(const MpvLibrary* library, mpv_handle* mpv, std::function<void(bool)> ready) {
    lib_ = library;
    mpv_ = mpv;
    ready_ = std::move(ready);
    if (contextFailed_) ReportReady(false);
    else if (context() && context()->isValid()) CreateRenderContext();
    // else initializeGL() creates it when the widget first shows.
}

void MpvGlVideoView::Detach() {
    FreeRenderContext();
    mpv_ = nullptr;
    ready_ = nullptr;
}

void MpvGlVideoView::initializeGL() {
    // With shared contexts (set before the application starts) the context
    // survives the window's native window being re-created; should it go
    // anyway, libmpv's objects in it go first and a new one is made with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { FreeRenderContext(); },
            Qt::DirectConnection);
    if (mpv_ && !render_) CreateRenderContext();
}

void MpvGlVideoView::CreateRenderContext() {
    makeCurrent();
    mpv_opengl_init_params gl{&ProcAddress, nullptr};
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
                                 {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (lib_->render_context_create(&render_, mpv_, params) < 0) {
        render_ = nullptr;
        contextFailed_ = true;
        std::fprintf(stderr, "ruvo-box: the video picture cannot be drawn here (no usable OpenGL)\n");
        doneCurrent();
        ReportReady(false);
        return;
    }
    // libmpv calls this on one of its own threads: it only queues the work.
    lib_->render_context_set_update_callback(
        render_, [](void* self) { QMetaObject::invokeMethod(static_cast<MpvGlVideoView*>(self), "RenderUpdate", Qt::QueuedConnection); },
        this);
    doneCurrent();
    ReportReady(true);
}

void MpvGlVideoView::FreeRenderContext() {
    if (!render_) return;
    lib_->render_context_set_update_callback(render_, nullptr, nullptr);
    makeCurrent();
    lib_->render_context_free(render_);  // a file still playing loses its video output
    render_ = nullptr;
    doneCurrent();
}

void MpvGlVideoView::ReportReady(bool drawing) {
    if (!ready_) return;
    auto ready = std::move(ready_);
    ready_ = nullptr;
    ready(drawing);
}

void MpvGlVideoView::RenderUpdate() {
    if (!render_) return;
    if (!(lib_->render_context_update(render_) & MPV_RENDER_UPDATE_FRAME)) return;
    // Hidden or minimised, Qt paints nothing; the frame is taken all the same.
    if (isVisible() && !window()->isMinimized()) update();
    else SkipFrame();
}

void MpvGlVideoView::SkipFrame() {
    makeCurrent();
    int skip = 1, noWaiting = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &noWaiting},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    lib_->render_context_render(render_, params);
    doneCurrent();
}

void MpvGlVideoView::paintGL() {
    if (!render_) {
        QOpenGLContext::currentContext()->functions()->glClearColor(0, 0, 0, 1);
        QOpenGLContext::currentContext()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();  // sharp on a scaled desktop: device pixels, not logical ones
    mpv_opengl_fbo target{static_cast<int>(defaultFramebufferObject()), static_cast<int>(width() * ratio),
                          static_cast<int>(height() * ratio), 0};
    int flipY = 1;  // the widget's framebuffer has its origin at the bottom
    int noWaiting = 0;  // never wait in the user-interface thread for a frame's time
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &target},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &noWaiting},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    lib_->render_context_render(render_, params);
}

void MpvGlVideoView::moveEvent(QMoveEvent* event) {
    QOpenGLWidget::moveEvent(event);
    ReportPlace();
}

void MpvGlVideoView::resizeEvent(QResizeEvent* event) {
    QOpenGLWidget::resizeEvent(event);
    ReportPlace();
}

void MpvGlVideoView::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    ReportPlace();
}

}  // namespace ruvo
