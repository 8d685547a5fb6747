#pragma once

#include <QIcon>

// The pictures on the transport buttons. They are drawn as shapes in the button text's colour of
// the application palette: sharp at every size and screen scale, right in light and dark
// palettes, and made without searching an icon theme while the window is built.
enum class TransportGlyph { Play, Pause, Stop, PreviousEntry, NextEntry, SeekBackward, SeekForward };

QIcon transportIcon(TransportGlyph glyph);
