#include "framework/module_globals.h"

namespace pelorix3 {

constinit GlobalFunc hostGlobal = nullptr;
constinit ShadingServer* editedInstance = nullptr;
constinit bool processIsEnding = false;

}  // namespace pelorix3
