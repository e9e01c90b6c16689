#include "frontend/PictureMedia.h"

#include "media/Blit.h"
#include "media/DisplaySetup.h"
#include "platform/MessagePump.h"
#include "platform/PlatformError.h"
#include "platform/Screen.h"

namespace gorb {

SurfaceRef& MediaPictures::Slot(PictureSlot slot) {
    return slot == PictureSlot::Prev ? media_.Display.GfxPrevPicture : media_.Display.GfxNextPicture;
}

void MediaPictures::LoadPicture(PictureSlot slot, const std::string& name) {
    DisplayObjects& d = media_.Display;
    if (!d.DDraw) throw ObjectNotSet("DirectDraw");
    // Off-screen plain, the bitmap's own size.
    DescribePlainSurface(d, 0, 0);
    LoadKeyedResource(d, Slot(slot), name);
}

void MediaPictures::DropPicture(PictureSlot slot) { Slot(slot).reset(); }

void MediaPictures::DrawPicture(PictureSlot slot, const PictureRect& src, const PictureRect& dst) {
    const SurfaceRef& surface = Slot(slot);
    if (!surface) return;
    g_.SrcRect = {src.Left, src.Top, src.Right, src.Bottom};
    g_.DestRect = {dst.Left, dst.Top, dst.Right, dst.Bottom};
    BlitToPrimary(media_, surface, g_.SrcRect, g_.DestRect, 640, 480, "BackBuffer");
}

void MediaPictures::PlaySound(Integer number) {
    if (number < 0 || number > kSoundCount) return;
    media_.Sound.SoundBuffers[static_cast<size_t>(number)].Play();
}

void MediaPictures::LoadSound(Integer number, const std::string& name) {
    LoadResourceSound(media_.Sound, number, name);
}

void MediaPictures::PumpMessages() { gorb::PumpMessages(); }

void MediaPictures::ShowScreen() { PresentScreen(); }

}  // namespace gorb
