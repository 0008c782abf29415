#include "framework/server_registry.h"

namespace pelorix3 {

constinit ServerRegistry serverRegistry{};

int ServerRegistry::registerServer(const char* className, const char* serverName,
                                   ActivateFunc activate) {
    for (int i = 0; i < count; ++i) {
        if (records[i].className == className && records[i].name == serverName) return 0;
    }
    if (count >= capacity) return 0;
    records[count] = ServerRecord{className, serverName, activate};
    ++count;
    records[count] = ServerRecord{nullptr, nullptr, nullptr};
    return 1;
}

}  // namespace pelorix3
