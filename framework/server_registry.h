// The static table of servers behind the module descriptor.
#ifndef PELORIX3_FRAMEWORK_SERVER_REGISTRY_H
#define PELORIX3_FRAMEWORK_SERVER_REGISTRY_H

#include "framework/host_interface.h"

namespace pelorix3 {

struct ServerRegistry {
    static constexpr int capacity = 256;

    // Adds a server unless the same pair of text pointers is registered already (texts
    // are compared by address), a name is null or the table is full; returns 1 when a
    // record was added.
    int registerServer(const char* className, const char* serverName, ActivateFunc activate);

    // Zero-initialised: the record at index count is always the all-null terminator.
    ServerRecord records[capacity + 1];
    int count;
};

extern ServerRegistry serverRegistry;

}  // namespace pelorix3

#endif
