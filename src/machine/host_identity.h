// The PC's host name and IPv4 address, found without any network traffic:
// no name look-up (a broken DNS server could hang the window for seconds)
// and no connection. Nothing is cached; every call asks the system again.
#pragma once

#include <string>
#include <vector>

#include "platform/host_queries.h"

namespace tavro {

// One IPv4 address of the PC as dotted-decimal text; "127.0.0.1" when the PC
// has no usable interface. Never fails.
std::wstring local_ip_address();

// The address to report: the interface of the default route, else the first
// interface that is up and not loopback, else "127.0.0.1".
std::wstring choose_ip_address(const std::vector<Ipv4Interface>& interfaces);

}  // namespace tavro
