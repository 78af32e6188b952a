#include "machine/host_identity.h"

#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include "common/unicode.h"

namespace tavro {
namespace {

TEST(HostIdentity, HostNameIsTheComputersDnsNameAndWhatGethostnameSays) {
  wchar_t name[256] = {};
  DWORD length = 256;
  ASSERT_TRUE(GetComputerNameExW(ComputerNameDnsHostname, name, &length));
  EXPECT_EQ(local_host_name(), std::wstring(name, length));

  WSADATA winsock{};
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &winsock), 0);
  char narrow[256] = {};
  const int result = gethostname(narrow, sizeof narrow);
  WSACleanup();
  ASSERT_EQ(result, 0);
  EXPECT_EQ(local_host_name(), utf8_to_wide(narrow));
}

TEST(HostIdentity, AddressIsDottedDecimalIpv4) {
  const std::wstring address = local_ip_address();
  IN_ADDR parsed{};
  ASSERT_EQ(InetPtonW(AF_INET, address.c_str(), &parsed), 1) << wide_to_utf8(address);
  // Written back as the system writes addresses: four decimals, nothing else.
  wchar_t written[INET_ADDRSTRLEN] = {};
  ASSERT_NE(InetNtopW(AF_INET, &parsed, written, INET_ADDRSTRLEN), nullptr);
  EXPECT_EQ(address, written);
}

}  // namespace
}  // namespace tavro
