#include "platform/qt/GraphicsChoice.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <string>

namespace ruvo {
namespace {

// The renderer's name, as OpenGL gives it; empty when no context can be made.
std::string OpenGlRenderer() {
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface)) return {};
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    std::string renderer = name ? name : "";
    context.doneCurrent();
    return renderer;
}

bool RunsInSoftware(const std::string& renderer) {
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (renderer.find(software) != std::string::npos) return true;
    return renderer.empty();
}

}  // namespace

MpvVideoView::Kind ChooseGraphics(const char* setting) {
    const std::string asked = setting ? setting : "";
    const bool software = asked == "software" || (asked != "opengl" && RunsInSoftware(OpenGlRenderer()));
    if (!software) return MpvVideoView::Kind::OpenGl;
    // The web views then hand Qt images instead of textures, so the window
    // is painted by the raster engine, a changed rectangle at a time.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return MpvVideoView::Kind::Software;
}

}  // namespace ruvo
