// basMain: where shellstyle starts. Splash, a 4-second wait, the main window, the
// splash closed; the program then lives as long as the main window.
#pragma once

#include <functional>

#include "platform/clock.h"

namespace shellstyle::ui::basMain {

// The program's entry point; returns the exit code.
int Main();

// Waits 4 s on `clock`, dispatching window events, unless the program is ending.
void SplashDelay(const platform::Clock& clock);

// Ends the program: stops the waits and the event loop.
void End();
bool ending();

}  // namespace shellstyle::ui::basMain
