// Linux host identity: gethostname, uname as the fallback, getifaddrs for
// the addresses and /proc/net/route for the interface of the default route.
#include <cerrno>
#include <fstream>
#include <set>
#include <string>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "common/failure.h"
#include "machine/host_identity.h"
#include "settings/system_text.h"

namespace tavro {
namespace {

// Names of the interfaces that carry a default route (destination 0.0.0.0).
std::set<std::string> default_route_interfaces() {
  std::set<std::string> names;
  std::ifstream routes("/proc/net/route");
  std::string line;
  std::getline(routes, line);  // column headings
  while (std::getline(routes, line)) {
    const std::size_t name_end = line.find_first_of(" \t");
    if (name_end == std::string::npos) continue;
    const std::size_t destination = line.find_first_not_of(" \t", name_end);
    if (destination != std::string::npos && line.compare(destination, 9, "00000000\t") == 0) {
      names.insert(line.substr(0, name_end));
    }
  }
  return names;
}

}  // namespace

std::wstring local_host_name() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) == 0 && name[0] != '\0') {
    return decode_system_text(name);
  }
  const int reason = errno;
  utsname system{};
  if (uname(&system) == 0 && system.nodename[0] != '\0') {
    return decode_system_text(system.nodename);
  }
  throw Failure(L"The host name cannot be read: " + system_error_text(reason));
}

std::vector<Ipv4Interface> list_ipv4_interfaces() {
  std::vector<Ipv4Interface> interfaces;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return interfaces;
  const std::set<std::string> routed = default_route_interfaces();
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    const std::uint32_t host_order = ntohl(address->sin_addr.s_addr);
    Ipv4Interface found;
    found.address = {
        static_cast<std::uint8_t>(host_order >> 24), static_cast<std::uint8_t>(host_order >> 16),
        static_cast<std::uint8_t>(host_order >> 8), static_cast<std::uint8_t>(host_order)};
    found.up = (entry->ifa_flags & IFF_UP) != 0;
    found.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
    found.carries_default_route = routed.contains(entry->ifa_name);
    interfaces.push_back(found);
  }
  freeifaddrs(list);
  return interfaces;
}

}  // namespace tavro
