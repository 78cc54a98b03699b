#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdio>
#include <map>
#include <set>
#include <vector>

#include "platform/NetworkAdapters.h"

namespace ruvo {
namespace {

std::string FormatHardwareAddress(const sockaddr_ll& link) {
    std::string text;
    char pair[4];
    for (int i = 0; i < link.sll_halen && i < 8; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", link.sll_addr[i]);
        if (!text.empty()) text += ':';
        text += pair;
    }
    return text;
}

class Kernel final : public NetworkAdapters {
public:
    std::string FirstUsableHardwareAddress() override {
        ifaddrs* list = nullptr;
        if (getifaddrs(&list) != 0) return {};
        std::vector<std::string> order;          // interfaces in kernel order
        std::map<std::string, std::string> mac;  // name -> hardware address
        std::set<std::string> withIp;
        for (ifaddrs* it = list; it; it = it->ifa_next) {
            if (!it->ifa_addr || !(it->ifa_flags & IFF_UP) || (it->ifa_flags & IFF_LOOPBACK)) continue;
            const std::string name = it->ifa_name;
            const int family = it->ifa_addr->sa_family;
            if (family == AF_PACKET) {
                order.push_back(name);
                mac[name] = FormatHardwareAddress(*reinterpret_cast<const sockaddr_ll*>(it->ifa_addr));
            } else if (family == AF_INET || family == AF_INET6) {
                withIp.insert(name);
            }
        }
        freeifaddrs(list);
        for (const auto& name : order)
            if (withIp.count(name) && !mac[name].empty()) return mac[name];
        return {};
    }
};

}  // namespace

NetworkAdapters& KernelNetworkAdapters() {
    static Kernel adapters;
    return adapters;
}

}  // namespace ruvo
