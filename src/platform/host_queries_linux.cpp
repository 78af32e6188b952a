// Linux implementation of platform/host_queries.h.
// Linux host identity: gethostname, uname as the fallback, SIOCGIFCONF for
// the addresses and /proc/net/route for the interface of the default route.
#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "common/failure.h"
#include "platform/host_queries.h"
#include "platform/system_error.h"
#include "platform/system_text.h"
#include "platform/whole_file.h"

namespace tavro {
namespace {

// Names of the interfaces that carry a default route (destination 0.0.0.0).
std::set<std::string, std::less<>> default_route_interfaces() {
  std::set<std::string, std::less<>> names;
  WholeFile routes;
  if (!read_whole_file("/proc/net/route", routes, std::uintmax_t{1} << 24)) return names;
  const std::string_view table = routes.bytes;
  // After the column headings, one route a line: "Iface\tDestination\t...".
  for (std::size_t line = table.find('\n'); line < table.size(); line = table.find('\n', line)) {
    ++line;
    const std::size_t name_end = table.find_first_of(" \t\n", line);
    if (name_end == std::string_view::npos || table[name_end] == '\n') continue;
    const std::size_t destination = table.find_first_not_of(" \t", name_end);
    if (destination != std::string_view::npos && table.compare(destination, 9, "00000000\t") == 0) {
      names.emplace(table.substr(line, name_end - line));
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

namespace {

// SIOCGIFCONF lists the same IPv4 addresses, in the same order, as the
// address dump of getifaddrs, for a fraction of its cost: getifaddrs also
// dumps every link with its statistics. The socket only carries the ioctls.
std::vector<Ipv4Interface> interfaces_of(int socket_fd) {
  std::vector<Ipv4Interface> interfaces;
  std::vector<ifreq> requests(16);
  ifconf listing{};
  for (;;) {
    listing.ifc_len = static_cast<int>(requests.size() * sizeof(ifreq));
    listing.ifc_req = requests.data();
    if (ioctl(socket_fd, SIOCGIFCONF, &listing) != 0) return interfaces;
    // A full buffer may have cut the list short.
    if (static_cast<std::size_t>(listing.ifc_len) < requests.size() * sizeof(ifreq)) break;
    requests.resize(requests.size() * 2);
  }
  requests.resize(static_cast<std::size_t>(listing.ifc_len) / sizeof(ifreq));
  const auto routed = default_route_interfaces();
  for (ifreq& request : requests) {
    if (request.ifr_addr.sa_family != AF_INET) continue;
    sockaddr_in address{};
    std::memcpy(&address, &request.ifr_addr, sizeof address);
    const std::uint32_t host_order = ntohl(address.sin_addr.s_addr);
    Ipv4Interface found;
    found.address = {
        static_cast<std::uint8_t>(host_order >> 24), static_cast<std::uint8_t>(host_order >> 16),
        static_cast<std::uint8_t>(host_order >> 8), static_cast<std::uint8_t>(host_order)};
    // An alias ("eth0:1") has the flags and the routes of its interface.
    const std::string_view label(request.ifr_name, strnlen(request.ifr_name, IFNAMSIZ));
    const std::string_view name = label.substr(0, label.find(':'));
    if (ioctl(socket_fd, SIOCGIFFLAGS, &request) == 0) {
      found.up = (request.ifr_flags & IFF_UP) != 0;
      found.loopback = (request.ifr_flags & IFF_LOOPBACK) != 0;
    }
    found.carries_default_route = routed.contains(name);
    interfaces.push_back(found);
  }
  return interfaces;
}

}  // namespace

std::vector<Ipv4Interface> list_ipv4_interfaces() {
  const int socket_fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (socket_fd < 0) return {};
  std::vector<Ipv4Interface> interfaces = interfaces_of(socket_fd);
  close(socket_fd);
  return interfaces;
}

}  // namespace tavro
