#pragma once
// The window message pump. Every SDL event goes to each listener in the order they were added
// (keyboard table, toolkit, display window), then every hook runs once (present the primary
// surface if it changed, joystick notification). Nothing else in the game polls SDL events.
#include <SDL.h>

#include <functional>

namespace gorb {

using EventListener = std::function<void(const SDL_Event&)>;
using PumpHook = std::function<void()>;

// Returns a handle for RemoveListener / RemoveHook.
int AddEventListener(EventListener listener);
void RemoveEventListener(int handle);
int AddPumpHook(PumpHook hook);
void RemovePumpHook(int handle);

// Handles every waiting event, then runs the hooks ("DoEvents").
void PumpMessages();

// Runs the hooks without reading events (a wait that must show the primary surface).
void RunPumpHooks();

}  // namespace gorb
