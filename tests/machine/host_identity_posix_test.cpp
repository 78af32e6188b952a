#include "machine/host_identity.h"

#include <gtest/gtest.h>

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
  ASSERT_EQ(inet_pton(AF_INET, address.c_str(), &parsed), 1) << address;
  // Written back as the system writes addresses: four decimals, nothing else.
  char written[INET_ADDRSTRLEN] = {};
  ASSERT_NE(inet_ntop(AF_INET, &parsed, written, sizeof written), nullptr);
  EXPECT_EQ(address, written);
}

}  // namespace
}  // namespace tavro
