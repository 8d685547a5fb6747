#pragma once

#include "ui/playback/Transport.h"

#include <QObject>

class MainWindow;

// Keys that drive the transport from anywhere in the main window but a text field: Ctrl+Space
// and the media keys' play/pause play or pause; the media keys' pause, stop, previous and next
// do what their buttons do. Each acts only while its action is available, as a click would.
class TransportKeys : public QObject
{
    Q_OBJECT
public:
    TransportKeys(MainWindow& window, Transport& transport);

    // Pauses what plays; otherwise plays.
    void playOrPause();

private:
    void carryOut(Transport::Action action);
    // Whether a key reaches the transport now: not while the user types in a text field.
    static bool keyForTransport();

    Transport& transport_;
};
