#include "machine/host_identity.h"

namespace tavro {
namespace {

std::wstring dotted_decimal(const std::array<std::uint8_t, 4>& address) {
  return std::to_wstring(address[0]) + L'.' + std::to_wstring(address[1]) + L'.' +
         std::to_wstring(address[2]) + L'.' + std::to_wstring(address[3]);
}

}  // namespace

std::wstring choose_ip_address(const std::vector<Ipv4Interface>& interfaces) {
  const Ipv4Interface* first_usable = nullptr;
  for (const Ipv4Interface& candidate : interfaces) {
    if (!candidate.up || candidate.loopback) continue;
    if (candidate.carries_default_route) return dotted_decimal(candidate.address);
    if (first_usable == nullptr) first_usable = &candidate;
  }
  return first_usable != nullptr ? dotted_decimal(first_usable->address) : L"127.0.0.1";
}

std::wstring local_ip_address() {
  return choose_ip_address(list_ipv4_interfaces());
}

}  // namespace tavro
