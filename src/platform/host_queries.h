// What the system itself says of the PC's name and IPv4 interfaces, asked
// without any network traffic. One implementation per platform, chosen by
// the build.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavro {

// The local host name. Falls back to the platform's computer name; throws
// Failure when neither can be read.
std::wstring local_host_name();

struct Ipv4Interface {
  std::array<std::uint8_t, 4> address{};
  bool up = false;
  bool loopback = false;
  // Read where it can decide the choice: a platform may leave it false
  // when fewer than two addresses are up and not loopback.
  bool carries_default_route = false;
};

// The platform's list of IPv4 interfaces, in the order it reports them.
std::vector<Ipv4Interface> list_ipv4_interfaces();

}  // namespace tavro
