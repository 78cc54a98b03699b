#pragma once
#include "platform/PlayerProbe.h"

namespace ruvo {

// Creates and initialises one libmpv handle and destroys it again.
class MpvPlayerProbe final : public PlayerProbe {
public:
    bool CanCreatePlayer() override;
};

}  // namespace ruvo
