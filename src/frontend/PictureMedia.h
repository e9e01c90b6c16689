#pragma once
// The picture sequences' port over the media layer: pictures become keyed off-screen surfaces
// of the display (GfxPrevPicture, GfxNextPicture), are copied to the screen with the game's
// shared blit rectangles, and sounds play straight from their numbered buffers.
#include "frontend/PictureSequences.h"
#include "media/MediaState.h"
#include "world/Game.h"

namespace gorb {

class MediaPictures : public PicturePort {
public:
    // The blit rectangles and the main form's layout position (read at each use) are the game's.
    MediaPictures(MediaState& media, Game& g) : media_(media), g_(g) {}

    void LoadPicture(PictureSlot slot, const std::string& name) override;
    void DropPicture(PictureSlot slot) override;
    void DrawPicture(PictureSlot slot, const PictureRect& src, const PictureRect& dst) override;
    bool SoundOn() const override { return media_.Sound.SoundOn == True; }
    void PlaySound(Integer number) override;
    void LoadSound(Integer number, const std::string& name) override;
    void PumpMessages() override;
    void ShowScreen() override;
    Integer ScreenOffsetX() const override { return g_.Display.ScreenOffsetX; }
    Integer ScreenOffsetY() const override { return g_.Display.ScreenOffsetY; }

private:
    SurfaceRef& Slot(PictureSlot slot);

    MediaState& media_;
    Game& g_;
};

}  // namespace gorb
