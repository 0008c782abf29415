// A host that ends with exit() while the module is loaded and has published its list head,
// without calling the module's shutdown: the host's state is destroyed at exit, so the
// module must make no host call from its unload or exit-time destructors. The stand-in
// host ends the process with its own status when it is called after that.
//
//   exit_without_shutdown file     the module file, loaded as the renderer loads it
//   exit_without_shutdown linked   the module's code linked into this program
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "host/module_file.h"
#include "host/module_path.h"
#include "host/shader_driver.h"
#include "render/shading_sample.h"

extern "C" ModuleDescriptor _mod_descrip;

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "exit_without_shutdown: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode != "file" && mode != "linked") return fail("usage: exit_without_shutdown file|linked");
    // The module is opened before the host's state is first used, so that the host's state
    // is the first to be destroyed at exit, as in a host whose own objects go first.
    auto file = mode == "file" ? standin::ModuleFile::open(standin::defaultModulePath())
                               : standin::ModuleFile::attach(&_mod_descrip, "the linked module");
    if (!file) return fail(file.error());
    file.value()->skipShutdown();
    auto module = standin::ShaderModule::activate(std::move(file.value()), {});
    if (!module) return fail(module.error());
    auto instance = module->createInstance();
    if (!instance) return fail(instance.error());
    if (const HostError error = instance->newTime(1, 0.0)) return fail(error);
    ShadingRecord record = render::ShadingSample().record();
    if (!instance->evaluate(record)) return fail("the sample was not shaded");
    // Ends with the module loaded and its instance alive: exit() destroys no local object.
    std::exit(0);
}
