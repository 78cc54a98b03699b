#include "shell/Skin.h"

#include "shell/ButtonLooks.h"

namespace ruvo {

void LoadSkin(WindowSurface& surface, int skin) {
    for (int slot = 0; slot < kSkinPictureCount; ++slot) surface.LoadPicture(slot, SkinResource(skin, slot));
}

}  // namespace ruvo
