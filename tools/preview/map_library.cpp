#include "tools/preview/map_library.h"

#include <cstdio>

#include "looks/input_file.h"
#include "tools/preview/map_image.h"

namespace preview {
namespace {

// In MiB, or KiB below one MiB, to a tenth: "384 MiB", "39.1 KiB".
std::string sizeOf(std::size_t bytes) {
    const bool large = bytes >= std::size_t{1} << 20;
    const double count = static_cast<double>(bytes) / (large ? 1048576.0 : 1024.0);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", count);
    std::string number = text;
    if (number.ends_with(".0")) number.resize(number.size() - 2);
    return number + (large ? " MiB" : " KiB");
}

std::string describe(const MapShape& shape) {
    return std::to_string(shape.width) + " x " + std::to_string(shape.height) + " " +
           (shape.channels == 1 ? "grey" : "colour") + " picture of " +
           std::to_string(shape.componentBits) + " bits a component";
}

}  // namespace

base::Result<std::shared_ptr<const render::TextureMap>> MapLibrary::map(
    const std::string& path, render::SurfaceInput input) {
    using Outcome = base::Result<std::shared_ptr<const render::TextureMap>>;
    if (const auto found = read_.find(path); found != read_.end()) {
        return Outcome::success(found->second);
    }
    base::Result<std::string> bytes = looks::readInputFile(path, looks::kMapInput);
    if (!bytes) return Outcome::failure(bytes.error());
    const std::string name = looks::inputName(path);
    const auto admit = [&](const MapShape& shape) {
        if (shape.bytes() <= bound_ - held_) return base::succeeded();
        return base::Status::failure(
            "cannot use " + name + " as the " + std::string(render::nameOf(input)) + " map: its " +
            describe(shape) + " takes " + sizeOf(shape.bytes()) +
            ", and the maps of one run may take " + sizeOf(bound_) + " in all" +
            (held_ > 0 ? " (" + sizeOf(held_) + " taken by the maps read before it)" : ""));
    };
    base::Result<render::TextureMap> decoded = decodeMapImage(bytes.value(), name, admit);
    if (!decoded) return Outcome::failure(decoded.error());
    auto shared = std::make_shared<const render::TextureMap>(std::move(decoded.value()));
    held_ += shared->bytes();
    read_.emplace(path, shared);
    return Outcome::success(std::move(shared));
}

}  // namespace preview
