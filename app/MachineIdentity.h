#pragma once
// The user identity written on first run and sent to the statistics page.
#include <string>

#include "config/Clock.h"
#include "platform/NetworkAdapters.h"

namespace ruvo {

// The first usable adapter's hardware address as six upper-case hex pairs
// joined by "-"; when there is none (or it is 00-00-00-00-00-00 or
// 00-53-45-00-00-00), the local year, month, day, hour, minute and second
// without leading zeros followed by a random number from 100 to 999.
std::string MachineIdentity(NetworkAdapters& adapters, Clock& clock);

}  // namespace ruvo
