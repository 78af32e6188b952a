// Windows implementation of platform/host_queries.h.
// Windows host identity: the DNS host name (what gethostname reports),
// NetBIOS computer name as the fallback, GetAdaptersAddresses for the
// addresses and the adapters' gateways for the default route.
// Winsock first: windows.h would otherwise bring in the old winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <iphlpapi.h>

#include <string>
#include <vector>

#include "common/failure.h"
#include "platform/host_queries.h"
#include "platform/system_error.h"

namespace tavro {

std::wstring local_host_name() {
  wchar_t name[256] = {};
  DWORD length = static_cast<DWORD>(std::size(name));
  if (GetComputerNameExW(ComputerNameDnsHostname, name, &length) && length > 0) {
    return std::wstring(name, length);
  }
  const DWORD reason = GetLastError();
  length = static_cast<DWORD>(std::size(name));
  if (GetComputerNameW(name, &length) && length > 0) return std::wstring(name, length);
  throw Failure(L"The host name cannot be read: " + system_error_text(static_cast<int>(reason)));
}

std::vector<Ipv4Interface> list_ipv4_interfaces() {
  std::vector<Ipv4Interface> interfaces;
  // Only what the choice of address reads: the friendly names, which
  // Windows looks up in the registry adapter by adapter, are skipped too.
  constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                           GAA_FLAG_SKIP_DNS_SERVER | GAA_FLAG_SKIP_FRIENDLY_NAME |
                           GAA_FLAG_INCLUDE_GATEWAYS;
  ULONG size = 16 * 1024;
  std::vector<unsigned char> buffer;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.resize(size);
    result = GetAdaptersAddresses(AF_INET, kFlags, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  if (result != NO_ERROR) return interfaces;
  for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter != nullptr;
       adapter = adapter->Next) {
    for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr;
         unicast = unicast->Next) {
      const SOCKADDR* socket_address = unicast->Address.lpSockaddr;
      if (socket_address == nullptr || socket_address->sa_family != AF_INET) continue;
      const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(socket_address);
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(&ipv4->sin_addr);
      Ipv4Interface found;
      found.address = {bytes[0], bytes[1], bytes[2], bytes[3]};
      found.up = adapter->OperStatus == IfOperStatusUp;
      found.loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
      found.carries_default_route = adapter->FirstGatewayAddress != nullptr;
      interfaces.push_back(found);
    }
  }
  return interfaces;
}

}  // namespace tavro
