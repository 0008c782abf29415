// The outside of an object file: the IFF "FORM" header, the form type that says which
// generation of object file it is (LWO2, or the older LWOB), and the chunks inside it, each
// checked against the end of the form before it is handed out.
#ifndef PELORIX3_MODELS_LWO_FORM_H
#define PELORIX3_MODELS_LWO_FORM_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "models/lwo_bytes.h"

namespace models {

enum class LwoGeneration { Lwo2, Lwob };

struct LwoChunk {
    std::string_view tag;
    std::size_t offset = 0;  // of its tag, in the file
    LwoBytes data;
};

// Whether `file` begins as every IFF file does, and so every object file.
bool startsAsIffFile(std::string_view file);

// The message for a damaged file: its name, the chunk at fault and where it starts, and
// what is wrong. The tag is escaped, as it may be any bytes.
std::string lwoDamage(const std::string& name, std::string_view tag, std::size_t offset,
                      const std::string& what);

// The same failure for a chunk the form handed out.
base::Status chunkDamage(const std::string& name, const LwoChunk& chunk, const std::string& what);

class LwoForm {
public:
    // Checks the header and the form type: refuses a header that runs past the file, an
    // LWO3 file (of later renderer versions) and any other form type, each by name.
    static base::Result<LwoForm> open(std::string_view file, const std::string& name);
    // How many times open() was called in this process: every reading of a file's chunks
    // starts with it, so this counts how often files are parsed.
    static std::size_t openings();

    LwoGeneration generation() const { return generation_; }

    // The next chunk, or nothing at the end of the form; fails when its header or its data
    // run past the end of the form.
    base::Result<std::optional<LwoChunk>> next();

private:
    LwoForm(LwoGeneration generation, LwoBytes body, const std::string& name)
        : generation_(generation), body_(body), name_(name) {}

    LwoGeneration generation_;
    LwoBytes body_;  // the chunks, to the end of the form
    std::string name_;
};

}  // namespace models

#endif
