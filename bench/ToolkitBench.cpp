#include <benchmark/benchmark.h>

#include <SDL.h>

#include <memory>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/GamePalette.h"
#include "platform/MessagePump.h"
#include "platform/Screen.h"
#include "platform/ScriptedInput.h"

using namespace gorb;

namespace {

SDL_Surface* MakeScreen(uint32_t format) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, SDL_BITSPERPIXEL(format), format);
    if (format == SDL_PIXELFORMAT_INDEX8) {
        SDL_Color colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = {GamePalette()[i].r, GamePalette()[i].g, GamePalette()[i].b, 255};
        SDL_SetPaletteColors(s->format->palette, colors, 0, 256);
    }
    return s;
}

// The menu as the player sees it with a panel open: a full-screen picture, five buttons and
// a frame of eleven options.
std::unique_ptr<Form> MakeMenu() {
    auto f = std::make_unique<Form>(FormKind::Screen);
    f->SetBackColor({0, 0, 0});
    SDL_Surface* img = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 24, SDL_PIXELFORMAT_RGB24);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            auto* p = static_cast<uint8_t*>(img->pixels) + y * img->pitch + x * 3;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x ^ y);
        }
    auto& pic = f->Add<PictureBox>();
    pic.Move(0, 0, 640, 480);
    pic.SetPicture(img);
    SDL_FreeSurface(img);
    const char* caps[] = {"&Configure", "&Game Options", "&Misc Options", "E&xit", "&Begin"};
    for (int i = 0; i < 5; ++i) {
        auto& b = f->Add<CommandButton>();
        b.Move(40, 88 + 32 * i, 121, 25);
        b.SetFont({"Comic Sans MS", 12, false});
        b.SetCaption(caps[i]);
    }
    auto& frame = f->Add<Frame>();
    frame.Move(168, 120, 113, 305);
    OptionGroup& g = f->AddOptionGroup();
    for (int i = 0; i < 11; ++i) {
        auto& o = g.Add(frame);
        o.Move(8, 32 + 24 * i, 97, 25);
        o.SetFont({"Comic Sans MS", 8.25, false});
        o.SetCaption(i < 10 ? "Level " + std::to_string(i + 1) : "FINAL");
    }
    g.Select(0);
    return f;
}

void BM_RefreshMenu(benchmark::State& state) {
    SDL_Surface* s = MakeScreen(static_cast<uint32_t>(state.range(0)));
    SetScreenProvider([s] { return s; });
    auto menu = MakeMenu();
    menu->Show();
    for (auto _ : state) menu->Refresh();
    menu.reset();
    SetScreenProvider(nullptr);
    SDL_FreeSurface(s);
}
BENCHMARK(BM_RefreshMenu)->Arg(SDL_PIXELFORMAT_INDEX8)->Arg(SDL_PIXELFORMAT_RGB565)->Arg(SDL_PIXELFORMAT_RGB888)
    ->Unit(benchmark::kMicrosecond);

// Selecting an option repaints two buttons: what a click in the menu costs.
void BM_SelectOption(benchmark::State& state) {
    SDL_Surface* s = MakeScreen(SDL_PIXELFORMAT_RGB888);
    SetScreenProvider([s] { return s; });
    auto menu = MakeMenu();
    menu->Show();
    auto& frame = *menu->Children().back()->AsFrame();
    auto* first = dynamic_cast<OptionButton*>(frame.Children()[0].get());
    Integer i = 0;
    for (auto _ : state) first->Group()->Select(i = Integer((i + 1) % 11));
    menu.reset();
    SetScreenProvider(nullptr);
    SDL_FreeSurface(s);
}
BENCHMARK(BM_SelectOption)->Unit(benchmark::kMicrosecond);

// A typed character reaching the key-press handler through the message pump: the game pumps
// once per 35 ms frame.
void BM_PumpTypedCharacter(benchmark::State& state) {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    Form f(FormKind::Screen);
    int keys = 0;
    f.OnKeyPress = [&](Integer&) { ++keys; };
    f.Show();
    for (auto _ : state) {
        ScriptText("p");
        PumpMessages();
    }
    benchmark::DoNotOptimize(keys);
}
BENCHMARK(BM_PumpTypedCharacter);

}  // namespace
