#include "host/module_file.h"

#include <cstdio>
#include <utility>

namespace standin {
namespace {

// A table longer than this has lost its terminator; the walk stops rather than run on.
constexpr int kMaxServers = 1024;

bool isTerminator(const ServerRecord& record) {
    return !record.className && !record.name && !record.activate;
}

std::string hex(unsigned int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

}  // namespace

base::Result<std::unique_ptr<ModuleFile>> ModuleFile::open(const std::string& path) {
    base::Result<SharedLibrary> library = SharedLibrary::open(path);
    if (!library) {
        return base::Result<std::unique_ptr<ModuleFile>>::failure(library.error());
    }
    const auto* descriptor = static_cast<const ModuleDescriptor*>(library->symbol("_mod_descrip"));
    if (!descriptor) {
        return base::Result<std::unique_ptr<ModuleFile>>::failure(
            path + " is not a plug-in module: it has no _mod_descrip");
    }
    return start(std::move(library.value()), descriptor, path);
}

base::Result<std::unique_ptr<ModuleFile>> ModuleFile::attach(const ModuleDescriptor* descriptor,
                                                             const std::string& label) {
    if (!descriptor) {
        return base::Result<std::unique_ptr<ModuleFile>>::failure(label + " has no descriptor");
    }
    return start(std::nullopt, descriptor, label);
}

base::Result<std::unique_ptr<ModuleFile>> ModuleFile::start(std::optional<SharedLibrary> library,
                                                            const ModuleDescriptor* descriptor,
                                                            const std::string& label) {
    using Outcome = base::Result<std::unique_ptr<ModuleFile>>;
    if (descriptor->syncWord != MODULE_SYNC_WORD) {
        return Outcome::failure(label + " is not a plug-in module: its sync word is " +
                                hex(descriptor->syncWord) + ", not " + hex(MODULE_SYNC_WORD));
    }
    if (!descriptor->startup) {
        return Outcome::failure(label + " has no startup function");
    }
    void* startupValue = descriptor->startup();
    if (!startupValue) {
        return Outcome::failure(label + ": the module's startup failed (it returned null)");
    }
    return Outcome::success(std::unique_ptr<ModuleFile>(
        new ModuleFile(std::move(library), descriptor, startupValue, label)));
}

ModuleFile::ModuleFile(std::optional<SharedLibrary> library, const ModuleDescriptor* descriptor,
                       void* startupValue, std::string label)
    : library_(std::move(library)),
      descriptor_(descriptor),
      startupValue_(startupValue),
      label_(std::move(label)) {}

ModuleFile::~ModuleFile() {
    if (callShutdown_ && descriptor_->shutdown) {
        descriptor_->shutdown(startupValue_);
    }
    library_.reset();  // unload only after the module has shut down
}

std::vector<ServerEntry> ModuleFile::servers() const {
    std::vector<ServerEntry> entries;
    const ServerRecord* record = descriptor_->servers;
    for (int i = 0; record && i < kMaxServers && !isTerminator(record[i]); ++i) {
        entries.push_back(
            {record[i].className ? record[i].className : "", record[i].name ? record[i].name : ""});
    }
    return entries;
}

base::Result<int> ModuleFile::activate(std::string_view className, std::string_view serverName,
                                       long version, GlobalFunc global, void* local) const {
    const ServerRecord* record = descriptor_->servers;
    for (int i = 0; record && i < kMaxServers && !isTerminator(record[i]); ++i) {
        const ServerRecord& server = record[i];
        if (server.className && server.name && server.activate && className == server.className &&
            serverName == server.name) {
            return base::Result<int>::success(server.activate(version, global, local, nullptr));
        }
    }
    return base::Result<int>::failure("server " + std::string(className) + " \"" +
                                      std::string(serverName) + "\" not found in " + label_);
}

}  // namespace standin
