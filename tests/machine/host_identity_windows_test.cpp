#include "machine/host_identity.h"

#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <iphlpapi.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

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
  // Windows' gethostname gives the DNS host name; Wine's gives the Unix node
  // name whole, with its domain when the machine is named by one.
  const std::string label(narrow, std::strcspn(narrow, "."));
  EXPECT_EQ(local_host_name(), utf8_to_wide(label));
}

// The system read another way: the default routes from the routing table
// and each adapter's addresses, written by InetNtopW (so the address is in
// the system's dotted-decimal form). The address is one of an adapter that
// is up and carries a default route, else of one that is up, else loopback.
TEST(HostIdentity, AddressIsOneTheSystemGivesThePreferredAdapter) {
  ULONG size = 0;
  ASSERT_EQ(GetIpForwardTable(nullptr, &size, FALSE),
            static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  std::vector<unsigned char> route_buffer(size);
  auto* routes = reinterpret_cast<MIB_IPFORWARDTABLE*>(route_buffer.data());
  ASSERT_EQ(GetIpForwardTable(routes, &size, FALSE), static_cast<DWORD>(NO_ERROR));
  std::set<DWORD> routed;
  for (DWORD i = 0; i < routes->dwNumEntries; ++i) {
    const MIB_IPFORWARDROW& route = routes->table[i];
    if (route.dwForwardDest == 0 && route.dwForwardMask == 0) routed.insert(route.dwForwardIfIndex);
  }

  size = 0;
  ASSERT_EQ(GetAdaptersAddresses(AF_INET, 0, nullptr, nullptr, &size),
            static_cast<ULONG>(ERROR_BUFFER_OVERFLOW));
  std::vector<unsigned char> adapter_buffer(size);
  auto* adapters = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(adapter_buffer.data());
  ASSERT_EQ(GetAdaptersAddresses(AF_INET, 0, nullptr, adapters, &size),
            static_cast<ULONG>(NO_ERROR));
  std::set<std::wstring> of_routed;
  std::set<std::wstring> of_up;
  for (const IP_ADAPTER_ADDRESSES* adapter = adapters; adapter != nullptr;
       adapter = adapter->Next) {
    if (adapter->OperStatus != IfOperStatusUp || adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK) {
      continue;
    }
    for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter->FirstUnicastAddress;
         unicast != nullptr; unicast = unicast->Next) {
      const SOCKADDR* address = unicast->Address.lpSockaddr;
      if (address == nullptr || address->sa_family != AF_INET) continue;
      wchar_t text[INET_ADDRSTRLEN] = {};
      ASSERT_NE(InetNtopW(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text,
                          INET_ADDRSTRLEN),
                nullptr);
      of_up.insert(text);
      if (routed.contains(adapter->IfIndex)) of_routed.insert(text);
    }
  }
  const std::set<std::wstring>& expected = !of_routed.empty() ? of_routed
                                           : !of_up.empty()   ? of_up
                                                            : std::set<std::wstring>{L"127.0.0.1"};
  const std::wstring reported = local_ip_address();
  EXPECT_TRUE(expected.contains(reported))
      << wide_to_utf8(reported) << " is not " << wide_to_utf8(*expected.begin());
}

}  // namespace
}  // namespace tavro
