#include "models/imported_model.h"

namespace models {

base::Status someTriangleHasArea(std::size_t triangles, std::size_t degenerate,
                                 const std::string& name) {
    if (degenerate < triangles) return base::succeeded();
    return base::Status::failure(name + " is not a usable model: none of its " +
                                 std::to_string(triangles) + " triangles has any area");
}

}  // namespace models
