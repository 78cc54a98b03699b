#pragma once
// The start-up check that the media player can be created at all.

namespace ruvo {

class PlayerProbe {
public:
    virtual ~PlayerProbe() = default;
    // Creates one player instance (the library loads and initialises) and
    // releases it again. False when the player cannot be created.
    virtual bool CanCreatePlayer() = 0;
};

}  // namespace ruvo
