// Reads arbitrary bytes as an OBJ model, with a crease angle taken from the first byte,
// and places the model in the preview scene as the preview does. Whatever the text, the
// import either refuses it with a short message naming the file, or gives a mesh the renderer
// can trace: at least one triangle, every index inside the vertices, finite positions and
// one finite unit normal for each corner; placed, its positions and the camera's view are
// finite, and each placed vertex maps back to where the model's frame puts it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/imported_mesh_checks.h"
#include "models/obj_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const double crease = data[0] * (180.0 / 255.0);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto model = models::importObjText(text, "fuzz.obj", crease);
    fuzz_checks::checkImport(model, "fuzz.obj");
    return 0;
}
