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

}  // namespace pelorix3

#endif
