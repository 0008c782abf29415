#include "looks/parameter_block.h"

#include "base/number_text.h"
#include "host/storage_states.h"
#include "looks/stored_number.h"

namespace looks {

std::array<double, ParameterBlock::count> ParameterBlock::values() const {
    return {density,          transparency,       specularColor[0],   specularColor[1],
            specularColor[2], dontOverlapShadows, densityByLuminosity};
}

ParameterBlock ParameterBlock::fromValues(const std::array<double, count>& values) {
    return {values[0], values[1], {values[2], values[3], values[4]}, values[5], values[6]};
}

std::vector<std::string> textItems(const ParameterBlock& block) {
    std::vector<std::string> items;
    for (const double value : block.values()) {
        char text[32];
        const auto written = base::number_text::shortest(text, text + sizeof text, value);
        items.push_back(" " + std::string(text, written.ptr));
    }
    return items;
}

base::Status loadInto(standin::ShaderInstance& instance, const ParameterBlock& block) {
    const standin::MemoryLoadState state = standin::MemoryLoadState::text(textItems(block));
    if (const HostError error = instance.load(state.state())) {
        return base::Status::failure(std::string("the module refused the parameters: ") + error);
    }
    return base::succeeded();
}

base::Result<ParameterBlock> readBack(const standin::ShaderInstance& instance) {
    standin::MemorySaveState saved(HOST_IO_ASCII);
    if (const HostError error = instance.save(saved.state())) {
        return base::Result<ParameterBlock>::failure(
            std::string("the module could not save its parameters: ") + error);
    }
    const std::vector<std::string>& items = saved.items();
    if (items.size() != ParameterBlock::count) {
        return base::Result<ParameterBlock>::failure(
            "the module saved " + std::to_string(items.size()) + " values instead of 7");
    }
    std::array<double, ParameterBlock::count> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::optional<double> value = parseStoredNumber(items[i].c_str());
        if (!value) {
            return base::Result<ParameterBlock>::failure(
                "the module saved a value that is not a number: " + items[i]);
        }
        values[i] = *value;
    }
    return base::Result<ParameterBlock>::success(ParameterBlock::fromValues(values));
}

}  // namespace looks
