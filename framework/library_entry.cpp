// The Windows library entry: the module needs no per-thread attach and detach calls, and
// it notes when it is detached because the process ends rather than because the host
// unloads it.
#if defined(_WIN32)
#include <windows.h>

#include "framework/module_globals.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr) pelorix3::processIsEnding = true;
    return TRUE;
}
#endif
