#pragma once
// The machine's network adapters, for the user identity.
#include <string>

namespace ruvo {

class NetworkAdapters {
public:
    virtual ~NetworkAdapters() = default;
    // The hardware address ("aa:bb:cc:dd:ee:ff", as the kernel writes it) of the
    // first interface that is up, is not loopback and has an IP address; the
    // empty text when there is none or the query fails.
    virtual std::string FirstUsableHardwareAddress() = 0;
};

// Reads the kernel's interface list (getifaddrs).
NetworkAdapters& KernelNetworkAdapters();

}  // namespace ruvo
