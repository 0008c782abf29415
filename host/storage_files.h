// Stored instance data in files, as the renderer keeps it in a scene file: text data as
// one item per line (without the zero byte), binary data as the raw bytes.
#ifndef PELORIX3_HOST_STORAGE_FILES_H
#define PELORIX3_HOST_STORAGE_FILES_H

#include <string>
#include <vector>

#include "base/result.h"
#include "framework/host_interface.h"
#include "host/storage_states.h"

namespace standin {

// An item holding a line break cannot come back as one item; such items are refused.
base::Status writeTextFile(const std::string& path, const std::vector<std::string>& items);
// Lines without their "\n" or "\r\n"; a last line without a line break counts.
base::Result<std::vector<std::string>> readTextFile(const std::string& path);

base::Status writeBinaryFile(const std::string& path, const std::string& bytes);
base::Result<std::string> readBinaryFile(const std::string& path);

// The bytes of the file saveToFile writes, or why there can be none.
base::Result<std::string> fileContents(const MemorySaveState& saved);
// What the save state recorded, written in its mode.
base::Status saveToFile(const MemorySaveState& saved, const std::string& path);
// A load state over the file's data, read in `mode`.
base::Result<MemoryLoadState> loadFromFile(const std::string& path, HostStorageMode mode);

}  // namespace standin

#endif
