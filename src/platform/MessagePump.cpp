#include "platform/MessagePump.h"

#include <map>

namespace gorb {

namespace {
struct Registry {
    int next = 1;
    std::map<int, EventListener> listeners;
    std::map<int, PumpHook> hooks;
};
Registry& Reg() {
    static Registry r;
    return r;
}
}  // namespace

int AddEventListener(EventListener listener) {
    int h = Reg().next++;
    Reg().listeners.emplace(h, std::move(listener));
    return h;
}
void RemoveEventListener(int handle) { Reg().listeners.erase(handle); }
int AddPumpHook(PumpHook hook) {
    int h = Reg().next++;
    Reg().hooks.emplace(h, std::move(hook));
    return h;
}
void RemovePumpHook(int handle) { Reg().hooks.erase(handle); }

void RunPumpHooks() {
    // Copy: a hook may add or remove hooks while it runs.
    auto hooks = Reg().hooks;
    for (auto& [h, hook] : hooks)
        if (Reg().hooks.count(h)) hook();
}

void PumpMessages() {
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event ev;
        while (SDL_PollEvent(&ev)) {
            auto listeners = Reg().listeners;
            for (auto& [h, l] : listeners)
                if (Reg().listeners.count(h)) l(ev);
        }
    }
    RunPumpHooks();
}

}  // namespace gorb
