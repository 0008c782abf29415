#include "host/shader_driver.h"

#include <utility>

#include "host/host_globals.h"

namespace standin {

const char* const kMissingEntry = "the shader handler table lacks this function";

// ---- ShaderInstance -----------------------------------------------------------------

base::Result<ShaderInstance> ShaderInstance::create(const ShaderHandlerTable& table,
                                                    std::shared_ptr<const void> keepAlive) {
    if (!table.create) {
        return base::Result<ShaderInstance>::failure("the shader handler table has no create");
    }
    HostError error = nullptr;
    HostInstance instance = table.create(&error);
    if (!instance) {
        return base::Result<ShaderInstance>::failure(
            std::string("the shader's create returned no instance") +
            (error ? std::string(": ") + error : std::string()));
    }
    return base::Result<ShaderInstance>::success(
        ShaderInstance(&table, instance, std::move(keepAlive)));
}

ShaderInstance::ShaderInstance(const ShaderHandlerTable* table, HostInstance instance,
                               std::shared_ptr<const void> keepAlive)
    : table_(table), instance_(instance), keepAlive_(std::move(keepAlive)) {}

ShaderInstance::ShaderInstance(ShaderInstance&& other) noexcept
    : table_(other.table_),
      instance_(std::exchange(other.instance_, nullptr)),
      keepAlive_(std::move(other.keepAlive_)) {}

ShaderInstance& ShaderInstance::operator=(ShaderInstance&& other) noexcept {
    if (this != &other) {
        destroy();
        table_ = other.table_;
        instance_ = std::exchange(other.instance_, nullptr);
        keepAlive_ = std::move(other.keepAlive_);
    }
    return *this;
}

ShaderInstance::~ShaderInstance() { destroy(); }

void ShaderInstance::destroy() noexcept {
    if (instance_ && table_->destroy) {
        table_->destroy(instance_);
    }
    instance_ = nullptr;
}

HostError ShaderInstance::copyTo(ShaderInstance& to) const {
    return table_->copy ? table_->copy(instance_, to.instance_) : kMissingEntry;
}

HostError ShaderInstance::load(const LoadState& state) {
    return table_->load ? table_->load(instance_, &state) : kMissingEntry;
}

HostError ShaderInstance::save(const SaveState& state) const {
    return table_->save ? table_->save(instance_, &state) : kMissingEntry;
}

HostError ShaderInstance::init() { return table_->init ? table_->init(instance_) : kMissingEntry; }

void ShaderInstance::cleanup() {
    if (table_->cleanup) {
        table_->cleanup(instance_);
    }
}

HostError ShaderInstance::newTime(int frame, double time) {
    return table_->newTime ? table_->newTime(instance_, frame, time) : kMissingEntry;
}

bool ShaderInstance::evaluate(ShadingRecord& record) const {
    if (!table_->evaluate) {
        return false;
    }
    table_->evaluate(instance_, &record);
    return true;
}

unsigned int ShaderInstance::flags() const { return table_->flags ? table_->flags(instance_) : 0u; }

const char* ShaderInstance::descln() const {
    return table_->descln ? table_->descln(instance_) : nullptr;
}

// ---- ShaderModule -------------------------------------------------------------------

// The module and the table it filled, at a stable address: the table is handed to the
// module at activation and its functions live in the module's file.
struct ShaderModule::Loaded {
    std::unique_ptr<ModuleFile> file;
    ShaderHandlerTable table{};
};

base::Result<ShaderModule> ShaderModule::open(const std::string& path, const Options& options) {
    base::Result<std::unique_ptr<ModuleFile>> file = ModuleFile::open(path);
    if (!file) {
        return base::Result<ShaderModule>::failure(file.error());
    }
    return activate(std::move(file.value()), options);
}

base::Result<ShaderModule> ShaderModule::activate(std::unique_ptr<ModuleFile> file,
                                                  const Options& options) {
    if (!file) {
        return base::Result<ShaderModule>::failure("no module to activate");
    }
    auto loaded = std::make_shared<Loaded>();
    loaded->file = std::move(file);
    const base::Result<int> code = loaded->file->activate(
        "ShaderHandler", options.serverName, options.version, globalFunc, &loaded->table);
    if (!code) {
        return base::Result<ShaderModule>::failure(code.error());
    }
    if (code.value() != AFUNC_OK) {
        return base::Result<ShaderModule>::failure(
            "activating ShaderHandler \"" + options.serverName + "\" version " +
            std::to_string(options.version) + " of " + loaded->file->label() +
            " failed with code " + std::to_string(code.value()));
    }
    return base::Result<ShaderModule>::success(ShaderModule(std::move(loaded)));
}

const ShaderHandlerTable& ShaderModule::table() const { return loaded_->table; }

const ModuleFile& ShaderModule::file() const { return *loaded_->file; }

base::Result<ShaderInstance> ShaderModule::createInstance() const {
    return ShaderInstance::create(loaded_->table, loaded_);
}

}  // namespace standin
