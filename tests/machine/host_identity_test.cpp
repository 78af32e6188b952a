#include "machine/host_identity.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(ChooseIpAddress, DefaultRouteThenFirstUsableThenLoopback) {
  Ipv4Interface loopback{{127, 0, 0, 1}, true, true, false};
  Ipv4Interface down{{10, 0, 0, 9}, false, false, true};
  Ipv4Interface lan{{192, 168, 1, 20}, true, false, false};
  Ipv4Interface routed{{10, 1, 2, 3}, true, false, true};
  EXPECT_EQ(choose_ip_address({loopback, lan, routed}), L"10.1.2.3");
  EXPECT_EQ(choose_ip_address({loopback, down, lan}), L"192.168.1.20");
  EXPECT_EQ(choose_ip_address({loopback, down}), L"127.0.0.1");
  EXPECT_EQ(choose_ip_address({}), L"127.0.0.1");
}

}  // namespace
}  // namespace tavro
