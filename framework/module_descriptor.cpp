// The exported module descriptor: the one symbol the host looks up in the plug-in file.
#include "framework/host_interface.h"
#include "framework/ray_call_list.h"
#include "framework/server_registry.h"

#if defined(_WIN32)
#define PELORIX3_EXPORT __declspec(dllexport)
#else
#define PELORIX3_EXPORT __attribute__((visibility("default")))
#endif

namespace {

void* startup() { return reinterpret_cast<void*>(4); }

// The host calls this before it unloads the module: the shared list must no longer lead
// into this module's memory.
void shutdown(void* /*startupValue*/) { pelorix3::withdrawLocalRayCallList(); }

}  // namespace

extern "C" {
PELORIX3_EXPORT constinit ModuleDescriptor _mod_descrip = {
    MODULE_SYNC_WORD,   MODULE_DESCRIPTOR_VERSION, MODULE_MACHINE_WORD, startup,
    shutdown,           pelorix3::serverRegistry.records,
};
}
