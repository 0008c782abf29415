#include "tools/preview/parameter_save.h"

#include <cstdio>

#include "host/storage_files.h"
#include "host/storage_states.h"
#include "tools/preview/atomic_write.h"

namespace preview {
namespace {

HostStorageMode saveMode(looks::StorageMode mode) {
    return mode == looks::StorageMode::Binary ? HOST_IO_BINARY : HOST_IO_ASCII;
}

}  // namespace

base::Result<std::string> savedParameters(const standin::ShaderInstance& instance,
                                          looks::StorageMode mode) {
    standin::MemorySaveState saved(saveMode(mode));
    if (const HostError error = instance.save(saved.state())) {
        return base::Result<std::string>::failure("cannot save the parameters: " +
                                                  std::string(error));
    }
    return standin::fileContents(saved);
}

base::Status saveParameterFile(const standin::ShaderInstance& instance, const std::string& path,
                               looks::StorageMode mode) {
    const base::Result<std::string> contents = savedParameters(instance, mode);
    if (!contents) {
        return base::Status::failure("cannot write " + outputName(path) + ": " + contents.error());
    }
    return writeAtomically(path, [&](std::FILE* stream) {
        std::fwrite(contents->data(), 1, contents->size(), stream);
        return base::succeeded();  // a failed write is the stream's to tell
    });
}

}  // namespace preview
