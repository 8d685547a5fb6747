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
    : mpv_(mpv), host_(QWidget::createWindowContainer(this))
{
    // Input goes to the widgets behind: the player area keeps refusing library drags, and
    // the keyboard focus stays in the main window.
    setFlag(Qt::WindowTransparentForInput);
    host_->setFocusPolicy(Qt::NoFocus);
    host_->hide();
}

MpvVideoWindow::~MpvVideoWindow()
{
    disconnect(contextGoing_);
    if (context()) {
        makeCurrent();
        freeRenderContext();
        doneCurrent();
    }
}

void MpvVideoWindow::showVideo()
{
    host_->show();
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
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        qWarning("mpv: cannot create the OpenGL render context");
        render_ = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(render_, &MpvVideoWindow::onRenderUpdate, this);

    // Free mpv's GL resources while this context can still be made current.
    disconnect(contextGoing_);
    contextGoing_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
            [this] {
                makeCurrent();
                freeRenderContext();
                doneCurrent();
            },
            Qt::DirectConnection);

    // Bring back the video track that was shown when the previous context went away.
    if (!videoTrack_.isEmpty()) {
        mpv_set_property_string(mpv_, "vid", videoTrack_.constData());
        videoTrack_.clear();
    }
    emit renderContextReady();
}

void MpvVideoWindow::paintGL()
{
    if (!render_) {
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
    mpv_render_context_render(render_, params);
}

void MpvVideoWindow::freeRenderContext()
{
    if (!render_)
        return;
    // Switch video off first: pulling the context from under a running video output would end
    // the file with an error. Audio goes on; initializeGL brings the track back.
    if (char* vid = mpv_get_property_string(mpv_, "vid")) {
        if (qstrcmp(vid, "no") != 0) {
            videoTrack_ = vid;
            mpv_set_property_string(mpv_, "vid", "no");
        }
        mpv_free(vid);
    }
    // Blocks until mpv has let go of the context; no update callback runs after this.
    mpv_render_context_free(render_);
    render_ = nullptr;
}

void MpvVideoWindow::onRenderUpdate(void* self)
{
    // Called on one of mpv's threads: repaint from the GUI thread.
    QMetaObject::invokeMethod(static_cast<MpvVideoWindow*>(self), qOverload<>(&QPaintDeviceWindow::update),
                              Qt::QueuedConnection);
}
