// Module-wide state written by the host's activation calls; the last writer wins.
#ifndef PELORIX3_FRAMEWORK_MODULE_GLOBALS_H
#define PELORIX3_FRAMEWORK_MODULE_GLOBALS_H

#include "framework/host_interface.h"

namespace pelorix3 {

class ShadingServer;

// The host's global-lookup function, kept by the shader handler activation.
extern GlobalFunc hostGlobal;

// The instance whose options panel was opened last; the panel callbacks find it here.
extern ShadingServer* editedInstance;

// Set when the process is ending rather than the module being unloaded from a live host:
// the host may be gone by then, so the module no longer calls it.
extern bool processIsEnding;

}  // namespace pelorix3

#endif
