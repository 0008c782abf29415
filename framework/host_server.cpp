#include "framework/host_server.h"

#include <cstring>

#include "framework/host_services.h"

namespace pelorix3 {

HostError HostServer::init() { return acquireMessageFuncs(); }

void HostServer::copy(const HostServer& other) {
    std::memcpy(description, other.description, sizeof description);
    description[sizeof description - 1] = '\0';
    name = other.name;
}

}  // namespace pelorix3
