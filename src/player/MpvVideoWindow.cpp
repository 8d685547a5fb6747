#include "player/MpvVideoWindow.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWidget>
#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace {
void* getProcAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}
} // namespace

MpvVideoWindow::MpvVideoWindow(mpv_handle* mpv)
    : m_mpv(mpv), m_host(QWidget::createWindowContainer(this))
{
    // Input goes to the widgets behind: the player area refuses library drags as before, and
    // the keyboard focus stays in the main window.
    setFlag(Qt::WindowTransparentForInput);
    m_host->setFocusPolicy(Qt::NoFocus);
    m_host->hide();
}

MpvVideoWindow::~MpvVideoWindow()
{
    disconnect(m_contextGoing);
    if (context()) {
        makeCurrent();
        freeRenderContext();
        doneCurrent();
    }
}

void MpvVideoWindow::showVideo()
{
    m_host->show();
}

void MpvVideoWindow::initializeGL()
{
    // A new GL context replaces one that went away: drop anything left of the old one.
    freeRenderContext();

    mpv_opengl_init_params glInit{};
    glInit.get_proc_address = &getProcAddress;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_render, m_mpv, params) < 0) {
        qWarning("mpv: cannot create the OpenGL render context");
        m_render = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_render, &MpvVideoWindow::onRenderUpdate, this);

    // Free mpv's GL resources while this context can still be made current.
    disconnect(m_contextGoing);
    m_contextGoing = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
            [this] {
                makeCurrent();
                freeRenderContext();
                doneCurrent();
            },
            Qt::DirectConnection);

    // Bring back the video track that was shown when the previous context went away.
    if (!m_videoTrack.isEmpty()) {
        mpv_set_property_string(m_mpv, "vid", m_videoTrack.constData());
        m_videoTrack.clear();
    }
    emit renderContextReady();
}

void MpvVideoWindow::paintGL()
{
    if (!m_render) {
        context()->functions()->glClearColor(0, 0, 0, 1);
        context()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatio();
    mpv_opengl_fbo fbo{};
    fbo.fbo = int(defaultFramebufferObject());
    fbo.w = int(width() * ratio);
    fbo.h = int(height() * ratio);
    int flipY = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
}

void MpvVideoWindow::freeRenderContext()
{
    if (!m_render)
        return;
    // Switch video off first: pulling the context from under a running video output would end
    // the file with an error. Audio goes on; initializeGL brings the track back.
    if (char* vid = mpv_get_property_string(m_mpv, "vid")) {
        if (qstrcmp(vid, "no") != 0) {
            m_videoTrack = vid;
            mpv_set_property_string(m_mpv, "vid", "no");
        }
        mpv_free(vid);
    }
    // Blocks until mpv has let go of the context; no update callback runs after this.
    mpv_render_context_free(m_render);
    m_render = nullptr;
}

void MpvVideoWindow::onRenderUpdate(void* self)
{
    // Called on one of mpv's threads: repaint from the GUI thread.
    QMetaObject::invokeMethod(static_cast<MpvVideoWindow*>(self), qOverload<>(&QPaintDeviceWindow::update),
                              Qt::QueuedConnection);
}
