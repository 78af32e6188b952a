#include "machine/host_identity.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <set>
#include <string>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <unistd.h>

#include "common/unicode.h"

namespace tavro {
namespace {

TEST(HostIdentity, HostNameIsWhatGethostnameSays) {
  char name[256] = {};
  ASSERT_EQ(gethostname(name, sizeof name - 1), 0);
  EXPECT_EQ(local_host_name(), utf8_to_wide(name));
}

// The system read another way: the routing table with the C++ streams and
// the addresses with getifaddrs, written by inet_ntop. The address is one of
// a default-route interface, else of an interface that is up, else loopback.
TEST(HostIdentity, AddressIsOneTheSystemGivesThePreferredInterface) {
  std::set<std::string> routed;
  std::ifstream routes("/proc/net/route");
  std::string name;
  std::string destination;
  routes.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  while (routes >> name >> destination) {
    if (destination == "00000000") routed.insert(name);
    routes.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
  std::set<std::string> of_routed;
  std::set<std::string> of_up;
  ifaddrs* list = nullptr;
  ASSERT_EQ(getifaddrs(&list), 0);
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    ASSERT_NE(inet_ntop(AF_INET, &address->sin_addr, text, sizeof text), nullptr);
    if (routed.contains(entry->ifa_name)) of_routed.insert(text);
    if ((entry->ifa_flags & IFF_UP) && !(entry->ifa_flags & IFF_LOOPBACK)) of_up.insert(text);
  }
  freeifaddrs(list);
  const std::set<std::string>& expected = !of_routed.empty() ? of_routed
                                          : !of_up.empty()   ? of_up
                                                             : std::set<std::string>{"127.0.0.1"};
  const std::string reported = wide_to_utf8(local_ip_address());
  EXPECT_TRUE(expected.contains(reported)) << reported << " is not " << *expected.begin();
}

}  // namespace
}  // namespace tavro
