#include "framework/server_registry.h"

namespace pelorix3 {

constinit ServerRegistry serverRegistry{};

int ServerRegistry::registerServer(const char* className, const char* serverName,
                                   ActivateFunc activate) {
    // The host reads the table up to the first record without a class name: a record
    // with a null name would hide every server after it.
    if (className == nullptr || serverName == nullptr) return 0;
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
