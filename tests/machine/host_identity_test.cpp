#include "machine/host_identity.h"

#include <gtest/gtest.h>

#include <regex>

#include <arpa/inet.h>
#include <unistd.h>

#include "settings/unicode.h"

namespace tavro {
namespace {

TEST(HostIdentity, HostNameIsWhatGethostnameSays) {
  char name[256] = {};
  ASSERT_EQ(gethostname(name, sizeof name - 1), 0);
  EXPECT_EQ(local_host_name(), utf8_to_wide(name));
}

TEST(HostIdentity, AddressIsDottedDecimalIpv4) {
  const std::string address = wide_to_utf8(local_ip_address());
  in_addr parsed{};
  EXPECT_EQ(inet_pton(AF_INET, address.c_str(), &parsed), 1) << address;
  EXPECT_TRUE(std::regex_match(address, std::regex(R"(\d{1,3}(\.\d{1,3}){3})"))) << address;
}

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
