// The game world on its own: this program links every object of the world library and nothing of
// the platform, the media layer or the front end, so no SDL, and plays a short game through the
// recording port, its frames timed by the port's clock. That it builds, links and runs is the
// build's proof that the world reaches the outside only through its media port
// (cmake/WorldWall.cmake).
#include <cstdio>
#include <memory>

#include "RecordingPort.h"
#include "data/TypeTemplates.h"
#include "world/World.h"

int main() {
    using namespace gorb;
    auto game = std::make_unique<Game>();
    Game& g = *game;
    test::RecordingPort port;
    g.Media = &port;
    g.Random.RandomizeWith(1);
    // Level 1: the level-start object, standing still until shot, then the script's end.
    port.OnLoadGameData = [](Game& gg) {
        auto& script = gg.Data.LevelScript;
        script[0][1][0] = 10;
        for (int c = 0; c <= 3; ++c) script[c][1][1] = 99;
        gg.Data.PathTable[1][2][78] = 99;
        gg.Data.MissionTargets[1] = 1;
    };
    constexpr int kFrames = 120;
    int pumps = 0;
    port.PumpHooks.push_back([&] {
        if (++pumps == kFrames) g.Run.GameOver = True;
    });
    const uint32_t start = port.Now;
    BeginGame(g);

    // One pump at the game start, one after each frame's wait; each frame at least 35 ms.
    const int frames = port.Count("prim", "BackBuffer");
    const bool ok = frames == kFrames - 1 && port.Now - start >= uint32_t(35 * frames) &&
                    port.Count("menu", "ShowMenu 1") == 1 && port.Boxes.empty();
    std::printf("The world without SDL: %d frames in %u ms of the port's clock, %d presents, %zu calls: %s\n",
                frames, port.Now - start, port.ScreenShows, port.Calls.size(), ok ? "as expected" : "NOT as expected");
    return ok ? 0 : 1;
}
