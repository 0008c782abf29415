// A plug-in module loaded as the renderer loads it: the file's exported descriptor is
// checked, the module is started, and its servers can be listed and activated. The
// module is shut down with its startup value, then unloaded, when the object goes away.
#ifndef PELORIX3_HOST_MODULE_FILE_H
#define PELORIX3_HOST_MODULE_FILE_H

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "framework/host_interface.h"
#include "host/shared_library.h"

namespace standin {

// One entry of a module's server table.
struct ServerEntry {
    std::string className;
    std::string name;
};

class ModuleFile {
public:
    // Loads the file, finds "_mod_descrip", checks it and calls the module's startup.
    static base::Result<std::unique_ptr<ModuleFile>> open(const std::string& path);

    // Uses a descriptor already in this process (e.g. the module's objects linked into a
    // test) with the same checks and startup as a loaded file. `label` names it in errors.
    static base::Result<std::unique_ptr<ModuleFile>> attach(const ModuleDescriptor* descriptor,
                                                            const std::string& label);

    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;
    ~ModuleFile();

    // Behaves, when the object goes away, like a host that unloads the module without
    // calling its shutdown first.
    void skipShutdown() { callShutdown_ = false; }

    // The path (or label) the module was opened under.
    const std::string& label() const { return label_; }

    const ModuleDescriptor& descriptor() const { return *descriptor_; }

    // The server table up to its all-null terminator; missing texts read as "".
    std::vector<ServerEntry> servers() const;

    // Calls the activation function of the named server with a null server data
    // pointer and returns its result (0 = ok). Fails when no such server exists.
    base::Result<int> activate(std::string_view className, std::string_view serverName,
                               long version, GlobalFunc global, void* local) const;

private:
    ModuleFile(std::optional<SharedLibrary> library, const ModuleDescriptor* descriptor,
               void* startupValue, std::string label);

    static base::Result<std::unique_ptr<ModuleFile>> start(std::optional<SharedLibrary> library,
                                                           const ModuleDescriptor* descriptor,
                                                           const std::string& label);

    std::optional<SharedLibrary> library_;  // empty for an attached descriptor
    const ModuleDescriptor* descriptor_;
    void* startupValue_;
    std::string label_;
    bool callShutdown_ = true;
};

}  // namespace standin

#endif
