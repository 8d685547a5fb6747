#pragma once

#include <QOpenGLWindow>

struct mpv_handle;
struct mpv_render_context;

// Draws the video of an mpv core (created with vo=libmpv) through mpv's OpenGL render API.
//
// A window of its own, shown inside the main window through a window container (host()): the
// main window stays a plain raster window, so the program starts without loading OpenGL. The
// host starts hidden; showVideo() shows it, and the OpenGL context is made on its first paint.
// The window takes no input: clicks, drags and drops reach the widgets behind it.
//
// The render context lives exactly as long as the OpenGL context: it is made in initializeGL and
// freed when the GL context goes away or when the window is destroyed. Destroying the host
// destroys the window; MpvPlayer has both destroyed before the core.
class MpvVideoWindow : public QOpenGLWindow
{
    Q_OBJECT
public:
    explicit MpvVideoWindow(mpv_handle* mpv);
    ~MpvVideoWindow() override;

    // The widget that shows this window; the main window lays it out.
    QWidget* host() const { return host_; }
    // Shows the host, which makes the OpenGL context when the host is on screen.
    void showVideo();
    bool hasRenderContext() const { return render_ != nullptr; }

signals:
    // The render context exists: media may now be loaded with vo=libmpv.
    void renderContextReady();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void freeRenderContext();
    static void onRenderUpdate(void* self);

    mpv_handle* mpv_;
    QWidget* host_;
    mpv_render_context* render_ = nullptr;
    // To the GL context's about-to-be-destroyed signal; cut in the destructor, before the base
    // class destroys the context and this object is no longer a video window.
    QMetaObject::Connection contextGoing_;
    QByteArray videoTrack_;  // track shown when the GL context went away, restored after
};
