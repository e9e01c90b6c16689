#pragma once
// The picture sequences' port over the media layer: pictures become keyed off-screen surfaces
// of the display (GfxPrevPicture, GfxNextPicture), are copied to the screen with the shared
// blit rectangles, and sounds play straight from their numbered buffers.
#include "frontend/PictureSequences.h"
#include "media/MediaState.h"

namespace gorb {

class MediaPictures : public PicturePort {
public:
    // The offsets are the main form's layout position, read at each use.
    MediaPictures(MediaState& media, DisplayFields& display, SoundFields& sound, const Integer& screenOffsetX,
                  const Integer& screenOffsetY)
        : media_(media), display_(display), sound_(sound), offsetX_(screenOffsetX), offsetY_(screenOffsetY) {}

    void LoadPicture(PictureSlot slot, const std::string& name) override;
    void DropPicture(PictureSlot slot) override;
    void DrawPicture(PictureSlot slot, const PictureRect& src, const PictureRect& dst) override;
    bool SoundOn() const override { return sound_.SoundOn == True; }
    void PlaySound(Integer number) override;
    void LoadSound(Integer number, const std::string& name) override;
    void PumpMessages() override;
    void ShowScreen() override;
    Integer ScreenOffsetX() const override { return offsetX_; }
    Integer ScreenOffsetY() const override { return offsetY_; }

private:
    SurfaceRef& Slot(PictureSlot slot);

    MediaState& media_;
    DisplayFields& display_;
    SoundFields& sound_;
    const Integer& offsetX_;
    const Integer& offsetY_;
};

}  // namespace gorb
