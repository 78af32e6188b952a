#include "machine/host_identity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <limits>
#include <set>
#include <string>
#include <tuple>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <unistd.h>

#include "common/unicode.h"
#include "platform/host_queries.h"

namespace tavro {
namespace {

TEST(HostIdentity, HostNameIsWhatGethostnameSays) {
  char name[256] = {};
  ASSERT_EQ(gethostname(name, sizeof name - 1), 0);
  EXPECT_EQ(local_host_name(), utf8_to_wide(name));
}

// An address as the system writes it.
std::string address_text(const in_addr& address) {
  char text[INET_ADDRSTRLEN] = {};
  EXPECT_NE(inet_ntop(AF_INET, &address, text, sizeof text), nullptr);
  return text;
}

// The system read another way: the routing table with the C++ streams and
// the addresses and flags with getifaddrs, written by inet_ntop. The address
// is one of a default-route interface, else of one that is up, else loopback.
TEST(HostIdentity, TheInterfacesAreTheOnesGetifaddrsListsAndTheAddressThePreferredOnes) {
  std::set<std::string> routed;
  std::ifstream routes("/proc/net/route");
  std::string name;
  std::string destination;
  routes.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  while (routes >> name >> destination) {
    if (destination == "00000000") routed.insert(name);
    routes.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
  // Address text, up, loopback, default route.
  using Seen = std::tuple<std::string, bool, bool, bool>;
  std::multiset<Seen> expected;
  ifaddrs* list = nullptr;
  ASSERT_EQ(getifaddrs(&list), 0);
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    const std::string label = entry->ifa_name;
    expected.emplace(address_text(address->sin_addr), (entry->ifa_flags & IFF_UP) != 0,
                     (entry->ifa_flags & IFF_LOOPBACK) != 0,
                     routed.contains(label.substr(0, label.find(':'))));
  }
  freeifaddrs(list);
  ASSERT_FALSE(expected.empty()) << "no IPv4 address to compare";
  std::multiset<Seen> listed;
  for (const Ipv4Interface& found : list_ipv4_interfaces()) {
    in_addr bytes{};
    std::memcpy(&bytes, found.address.data(), sizeof bytes);  // network order, as listed
    listed.emplace(address_text(bytes), found.up, found.loopback, found.carries_default_route);
  }
  EXPECT_EQ(listed, expected);

  std::set<std::string> of_routed;
  std::set<std::string> of_up;
  for (const auto& [address, up, loopback, of_default_route] : expected) {
    if (up && !loopback) (of_default_route ? of_routed : of_up).insert(address);
  }
  const std::set<std::string>& preferred = !of_routed.empty() ? of_routed
                                           : !of_up.empty()   ? of_up
                                                              : std::set<std::string>{"127.0.0.1"};
  const std::string reported = wide_to_utf8(local_ip_address());
  EXPECT_TRUE(preferred.contains(reported)) << reported << " is not " << *preferred.begin();
}

}  // namespace
}  // namespace tavro
