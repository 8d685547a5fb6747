#pragma once

#include "app/WhenShown.h"

#include <cstdlib>

// For timing the start-up from outside (bench/startup.sh): ends the process at once, without
// tearing anything down, right after the window's first exposure has been painted. The program
// and the bare window of bench/ do this only when VEXOLIN_EXIT_WHEN_SHOWN is set.
class ExitWhenShown : public WhenShown
{
public:
    explicit ExitWhenShown(QWidget& window) : WhenShown(window, [] { std::_Exit(0); }) {}
};
