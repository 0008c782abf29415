#include "models/stored_block.h"

#include <algorithm>

#include "base/message_text.h"

namespace models {

const ShaderEntry* moduleEntry(const Surface& surface) {
    const auto found = std::find_if(
        surface.shaders.begin(), surface.shaders.end(),
        [](const ShaderEntry& entry) { return entry.enabled && entry.server == kModuleServer; });
    return found == surface.shaders.end() ? nullptr : &*found;
}

base::Result<std::optional<StoredBlock>> storedBlockOf(const Surface& surface) {
    using BlockResult = base::Result<std::optional<StoredBlock>>;
    const ShaderEntry* entry = moduleEntry(surface);
    if (!entry) return BlockResult::success(std::nullopt);
    if (entry->data.size() != kStoredBlockBytes) {
        return BlockResult::failure(
            "surface " + base::quotedExcerpt(surface.name) + ": the " + kModuleServer +
            " shader's data is " + base::counted(entry->data.size(), "byte", "bytes") +
            ", not the " + std::to_string(kStoredBlockBytes) + " bytes of its stored block");
    }
    StoredBlock block;
    std::copy(entry->data.begin(), entry->data.end(), block.begin());
    return BlockResult::success(block);
}

}  // namespace models
