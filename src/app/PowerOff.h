#pragma once

#include <functional>

// Asks the system to power the computer off: an ordinary, non-forced request that the system may
// refuse (a refusal is ignored). Tests replace the request so that they never power anything off.
void RequestPowerOff();
void SetPowerOffRequest(std::function<void()> request); // empty restores the system request
