// Parameter files: the seven stored values in the form the renderer keeps them with a
// scene, as text (one value per line) or binary (seven big-endian 4-byte floats).
#ifndef PELORIX3_LOOKS_PARAMETER_FILE_H
#define PELORIX3_LOOKS_PARAMETER_FILE_H

#include <string>
#include <vector>

#include "base/result.h"
#include "host/shader_driver.h"
#include "looks/parameter_block.h"

namespace looks {

// Auto reads a file as binary when it holds any byte that is not printable text, else
// as text; it saves as text.
enum class StorageMode { Auto, Text, Binary };

// A checked parameter file: the values it holds and the data as the host hands them back.
struct ParameterFile {
    HostStorageMode mode = HOST_IO_ASCII;
    ParameterBlock block;
    std::vector<std::string> lines;  // text mode
    std::string bytes;               // binary mode
};

// Reads and checks a file ("-" is standard input): text must hold seven numbers, one per
// line; binary exactly 28 bytes of finite floats. Anything else is refused with the reason.
base::Result<ParameterFile> readParameterFile(const std::string& path, StorageMode mode);

// Checks stored data as readParameterFile does a file's bytes; `name` stands for the file
// in messages. Auto takes binary data for binary, other data for text.
base::Result<ParameterFile> parseParameterData(const std::string& name, const std::string& bytes,
                                               StorageMode mode);

// Loads the file's data into the instance through a load state in the file's mode.
base::Status loadInto(standin::ShaderInstance& instance, const ParameterFile& file);

}  // namespace looks

#endif
