#include "adapters/qt/GraphicsChoice.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <cstdio>
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
    return false;
}

bool WantsSoftware(const std::string& asked) {
    if (asked == "software") return true;
    const std::string renderer = OpenGlRenderer();
    // Without any OpenGL a window holding an OpenGL widget cannot even be
    // shown (Qt crashes flushing it): software, whatever was asked.
    if (renderer.empty()) {
        if (asked == "opengl") std::fprintf(stderr, "ruvo-box: no OpenGL here: the picture is drawn in software\n");
        return true;
    }
    return asked != "opengl" && RunsInSoftware(renderer);
}

}  // namespace

MpvVideoView::Kind ChooseGraphics(const char* setting) {
    if (!WantsSoftware(setting ? setting : "")) return MpvVideoView::Kind::OpenGl;
    // The web views then hand Qt images instead of textures, so the window
    // is painted by the raster engine, a changed rectangle at a time.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return MpvVideoView::Kind::Software;
}

}  // namespace ruvo
