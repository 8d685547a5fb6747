#include "ui/playback/TransportKeys.h"

#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>
#include <functional>
#include <utility>

TransportKeys::TransportKeys(MainWindow& window, Transport& transport) : QObject(&window), transport_(transport)
{
    using Action = Transport::Action;
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Space), [this] { playOrPause(); }},
        {QKeySequence(Qt::Key_MediaTogglePlayPause), [this] { playOrPause(); }},
        // The play key of most keyboards is a play/pause key.
        {QKeySequence(Qt::Key_MediaPlay), [this] { playOrPause(); }},
        {QKeySequence(Qt::Key_MediaPause), [this] { carryOut(Action::Pause); }},
        {QKeySequence(Qt::Key_MediaStop), [this] { carryOut(Action::Stop); }},
        {QKeySequence(Qt::Key_MediaPrevious), [this] { carryOut(Action::PreviousEntry); }},
        {QKeySequence(Qt::Key_MediaNext), [this] { carryOut(Action::NextEntry); }},
    };
    for (const auto& [key, handler] : keys)
        connect(new QShortcut(key, &window), &QShortcut::activated, this, handler);
}

bool TransportKeys::keyForTransport()
{
    return !qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

void TransportKeys::playOrPause()
{
    carryOut(transport_.isAvailable(Transport::Action::Pause) ? Transport::Action::Pause : Transport::Action::Play);
}

void TransportKeys::carryOut(Transport::Action action)
{
    if (keyForTransport())
        transport_.carryOut(action);
}
