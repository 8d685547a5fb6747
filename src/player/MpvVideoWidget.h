#pragma once

#include <QOpenGLWidget>

struct mpv_handle;
struct mpv_render_context;

// Draws the video of an mpv core (created with vo=libmpv) through mpv's OpenGL render API.
// The render context lives exactly as long as this widget's OpenGL context: it is made in
// initializeGL and freed when the GL context goes away (reparenting to another window recreates
// both) or when the widget is destroyed. MpvPlayer destroys the widget before the core.
class MpvVideoWidget : public QOpenGLWidget
{
    Q_OBJECT
public:
    explicit MpvVideoWidget(mpv_handle* mpv, QWidget* parent = nullptr);
    ~MpvVideoWidget() override;

    bool hasRenderContext() const { return m_render != nullptr; }

signals:
    // The render context exists: media may now be loaded with vo=libmpv.
    void renderContextReady();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void freeRenderContext();
    static void onRenderUpdate(void* self);

    mpv_handle* m_mpv;
    mpv_render_context* m_render = nullptr;
    // To the GL context's about-to-be-destroyed signal; cut in the destructor, before the base
    // class destroys the context and this object is no longer a video widget.
    QMetaObject::Connection m_contextGoing;
    QByteArray m_videoTrack;  // track shown when the GL context went away, restored after
};
