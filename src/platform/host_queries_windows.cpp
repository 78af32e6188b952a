// Windows implementation of platform/host_queries.h.
// Windows host identity: the DNS host name (what gethostname reports),
// NetBIOS computer name as the fallback, the IP helper's address table for
// the addresses and its routing table for the default routes: the two
// cheapest of its queries that answer the choice of address.
#include <windows.h>

#include <iphlpapi.h>

#include <algorithm>
#include <cstdint>
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

namespace {

// A table of the IP helper's, read with the size it asks for; it may grow
// between the size query and the read when an adapter comes up meanwhile.
// Empty when it cannot be read.
template <typename Table>
std::vector<unsigned char> read_table(DWORD(WINAPI* read)(Table*, ULONG*, BOOL)) {
  ULONG size = 4096;
  std::vector<unsigned char> buffer;
  DWORD result = ERROR_INSUFFICIENT_BUFFER;
  for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
    buffer.resize(size);
    result = read(reinterpret_cast<Table*>(buffer.data()), &size, FALSE);
  }
  if (result != NO_ERROR) buffer.clear();
  return buffer;
}

}  // namespace

std::vector<Ipv4Interface> list_ipv4_interfaces() {
  std::vector<Ipv4Interface> interfaces;
  const std::vector<unsigned char> address_buffer = read_table(&GetIpAddrTable);
  if (address_buffer.empty()) return interfaces;
  const auto* addresses = reinterpret_cast<const MIB_IPADDRTABLE*>(address_buffer.data());
  for (DWORD i = 0; i < addresses->dwNumEntries; ++i) {
    const MIB_IPADDRROW& row = addresses->table[i];
    // In network byte order: the bytes lie as they are written.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&row.dwAddr);
    Ipv4Interface found;
    found.address = {bytes[0], bytes[1], bytes[2], bytes[3]};
    // A disconnected adapter keeps its row, with no address or flagged.
    found.up = row.dwAddr != 0 && (row.wType & (MIB_IPADDR_DISCONNECTED | MIB_IPADDR_DELETED)) == 0;
    found.loopback = bytes[0] == 127;
    interfaces.push_back(found);
  }
  // The routes decide only between two or more addresses that are up (the
  // usual PC has one), and each table read is a trip to the network stack.
  if (std::count_if(interfaces.begin(), interfaces.end(), [](const Ipv4Interface& candidate) {
        return candidate.up && !candidate.loopback;
      }) < 2) {
    return interfaces;
  }
  std::vector<DWORD> routed;
  const std::vector<unsigned char> route_buffer = read_table(&GetIpForwardTable);
  if (!route_buffer.empty()) {
    const auto* routes = reinterpret_cast<const MIB_IPFORWARDTABLE*>(route_buffer.data());
    for (DWORD i = 0; i < routes->dwNumEntries; ++i) {
      const MIB_IPFORWARDROW& route = routes->table[i];
      if (route.dwForwardDest == 0 && route.dwForwardMask == 0) {
        routed.push_back(route.dwForwardIfIndex);
      }
    }
  }
  for (DWORD i = 0; i < addresses->dwNumEntries; ++i) {
    interfaces[i].carries_default_route =
        std::find(routed.begin(), routed.end(), addresses->table[i].dwIndex) != routed.end();
  }
  return interfaces;
}

}  // namespace tavro
