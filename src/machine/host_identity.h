// The PC's host name and IPv4 address, found without any network traffic:
// no name look-up (a broken DNS server could hang the window for seconds)
// and no connection. Nothing is cached; every call asks the system again.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavro {

// The local host name. Falls back to the platform's computer name; throws
// Failure when neither can be read.
std::wstring local_host_name();

// One IPv4 address of the PC as dotted-decimal text; "127.0.0.1" when the PC
// has no usable interface. Never fails.
std::wstring local_ip_address();

struct Ipv4Interface {
  std::array<std::uint8_t, 4> address{};
  bool up = false;
  bool loopback = false;
  bool carries_default_route = false;
};

// The address to report: the interface of the default route, else the first
// interface that is up and not loopback, else "127.0.0.1".
std::wstring choose_ip_address(const std::vector<Ipv4Interface>& interfaces);

// The platform's list of IPv4 interfaces, in the order it reports them.
std::vector<Ipv4Interface> list_ipv4_interfaces();

}  // namespace tavro
