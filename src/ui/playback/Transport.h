#pragma once

// The transport buttons as the rest of the desktop uses them (media keys, media widgets): an
// action is available exactly while its button is enabled, and carrying it out does what a
// click on that button does, which is nothing while the button is disabled.
class Transport
{
public:
    enum class Action { Play, Pause, Stop, PreviousEntry, NextEntry };

    virtual ~Transport() = default;
    virtual bool isAvailable(Action action) const = 0;
    virtual void carryOut(Action action) = 0;
};
