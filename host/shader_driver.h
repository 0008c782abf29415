// Drives a shader the way the renderer does: through the handler table the module
// filled at activation, one instance at a time.
#ifndef PELORIX3_HOST_SHADER_DRIVER_H
#define PELORIX3_HOST_SHADER_DRIVER_H

#include <memory>
#include <string>

#include "base/result.h"
#include "framework/host_interface.h"
#include "host/module_file.h"

namespace standin {

// Returned instead of calling a table entry the module left null.
extern const char* const kMissingEntry;

// One shader instance, destroyed through the table when the object goes away; a
// moved-from object holds no instance and must not be used. Entries the table lacks
// are never called: functions with an error result report kMissingEntry,
// flags() gives 0, descln() null and evaluate() false.
class ShaderInstance {
public:
    // Calls the table's create; fails when it is missing or returns no instance.
    // `keepAlive` holds whatever must outlive the instance (the module's file).
    static base::Result<ShaderInstance> create(const ShaderHandlerTable& table,
                                               std::shared_ptr<const void> keepAlive = {});

    ShaderInstance(ShaderInstance&& other) noexcept;
    ShaderInstance& operator=(ShaderInstance&& other) noexcept;
    ShaderInstance(const ShaderInstance&) = delete;
    ShaderInstance& operator=(const ShaderInstance&) = delete;
    ~ShaderInstance();

    HostInstance handle() const { return instance_; }

    // The table's copy with this instance as the source.
    HostError copyTo(ShaderInstance& to) const;
    HostError load(const LoadState& state);
    HostError save(const SaveState& state) const;
    HostError init();
    void cleanup();
    HostError newTime(int frame, double time);
    // False when the table has no evaluate.
    bool evaluate(ShadingRecord& record) const;
    unsigned int flags() const;
    const char* descln() const;

private:
    ShaderInstance(const ShaderHandlerTable* table, HostInstance instance,
                   std::shared_ptr<const void> keepAlive);
    void destroy() noexcept;

    const ShaderHandlerTable* table_;
    HostInstance instance_;
    std::shared_ptr<const void> keepAlive_;
};

// The module's shader handler, activated with the host's globalFunc. Instances created
// from it keep the module loaded until the last of them is gone.
class ShaderModule {
public:
    struct Options {
        long version = 2;
        std::string serverName = "pelorix3";
    };

    // Opens the module file and activates its shader handler.
    static base::Result<ShaderModule> open(const std::string& path, const Options& options);
    static base::Result<ShaderModule> open(const std::string& path) {
        return open(path, Options{});
    }

    // Activates the shader handler of a module already opened or attached.
    static base::Result<ShaderModule> activate(std::unique_ptr<ModuleFile> file,
                                               const Options& options);

    const ShaderHandlerTable& table() const;
    const ModuleFile& file() const;
    base::Result<ShaderInstance> createInstance() const;

private:
    struct Loaded;
    explicit ShaderModule(std::shared_ptr<Loaded> loaded) : loaded_(std::move(loaded)) {}

    std::shared_ptr<Loaded> loaded_;
};

}  // namespace standin

#endif
