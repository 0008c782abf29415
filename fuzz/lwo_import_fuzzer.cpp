// Reads arbitrary bytes as an object file (LWO2 or LWOB), as --mesh reads a file that
// begins with FORM, and places the model in the preview scene. Whatever the bytes, the
// import either refuses them with a short message naming the file, or gives a mesh the
// renderer can trace, with texture coordinates for every triangle or none, that places
// with finite positions and camera. Every length and count in the file is checked before
// it is used, so AddressSanitizer sees no read past the input, and libFuzzer's memory
// limit no allocation out of proportion to it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/imported_mesh_checks.h"
#include "models/lwo_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto model = models::importLwo(file, "fuzz.lwo", 60.0);
    fuzz_checks::checkImport(model, "fuzz.lwo");
    return 0;
}
