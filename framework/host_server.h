// Root of the handler classes: the instance's name and its description line.
#ifndef PELORIX3_FRAMEWORK_HOST_SERVER_H
#define PELORIX3_FRAMEWORK_HOST_SERVER_H

#include <cstddef>

#include "framework/host_interface.h"

namespace pelorix3 {

class HostServer {
public:
    static constexpr std::size_t descriptionSize = 64;

    HostServer() = default;
    HostServer(const HostServer&) = delete;
    HostServer& operator=(const HostServer&) = delete;

    virtual ~HostServer() = default;
    // Acquires the host's message functions.
    virtual HostError init();
    // Takes other's description line and name.
    virtual void copy(const HostServer& other);

    char description[descriptionSize] = {};  // the zero-terminated description line
    const char* name = "unnamed";           // server name; not owned
};

}  // namespace pelorix3

#endif
