#pragma once
// What keeps libmpv's libraries from printing on a normal run: they write
// to the console themselves, past libmpv's own log (which is off).

namespace ruvo {

// The sound library reports every device it cannot open (a machine without
// a sound card: 16 lines for each video). Called once libmpv is loaded.
void SilenceSoundLibraryErrors();

// "auto-safe" where the machine has a device a hardware decoder could use
// (a DRM render node or an NVIDIA device), else "no": probing decoders on a
// machine without one only prints their failures (one VDPAU line for each
// video) and costs time.
const char* HardwareDecodingChoice();

}  // namespace ruvo
