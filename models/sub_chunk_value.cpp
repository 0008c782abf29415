#include "models/sub_chunk_value.h"

#include <cmath>

#include "render/message_text.h"

namespace models {
namespace {

template <class T>
standin::Result<T> failed(const standin::Status& status) {
    return standin::Result<T>::failure(status.error());
}

}  // namespace

standin::Status SubChunkValue::tooShort(std::size_t needed) const {
    return subChunkDamage(name_, chunk_, sub_,
                          "holds " + standin::counted(sub_.data.left(), "byte", "bytes") +
                              ", too few for its value of " + std::to_string(needed));
}

standin::Status SubChunkValue::notFinite() const {
    return subChunkDamage(name_, chunk_, sub_, "holds a value that is not a finite number");
}

standin::Result<double> SubChunkValue::f4() const {
    standin::LwoBytes data = sub_.data;
    const std::optional<float> value = data.f4();
    if (!value) return failed<double>(tooShort(4));
    if (!std::isfinite(*value)) return failed<double>(notFinite());
    return standin::Result<double>::success(*value);
}

standin::Result<standin::Triple> SubChunkValue::threeF4() const {
    standin::LwoBytes data = sub_.data;
    if (data.left() < 12) return failed<standin::Triple>(tooShort(12));
    standin::Triple values{};
    for (double& v : values) {
        v = *data.f4();
        if (!std::isfinite(v)) return failed<standin::Triple>(notFinite());
    }
    return standin::Result<standin::Triple>::success(values);
}

standin::Result<std::int16_t> SubChunkValue::i2() const {
    standin::LwoBytes data = sub_.data;
    const std::optional<std::int16_t> value = data.i2();
    if (!value) return failed<std::int16_t>(tooShort(2));
    return standin::Result<std::int16_t>::success(*value);
}

standin::Result<standin::Triple> SubChunkValue::byteColour() const {
    standin::LwoBytes data = sub_.data;
    const std::optional<std::uint32_t> bytes = data.u4();  // red, green, blue, then 0
    if (!bytes) return failed<standin::Triple>(tooShort(4));
    const auto fraction = [&](int shift) { return (*bytes >> shift & 0xFF) / 255.0; };
    return standin::Result<standin::Triple>::success({fraction(24), fraction(16), fraction(8)});
}

standin::Result<std::string_view> SubChunkValue::s0(std::string_view what,
                                                    standin::LwoBytes& rest) const {
    rest = sub_.data;
    const std::optional<std::string_view> text = rest.s0();
    if (!text) {
        return failed<std::string_view>(subChunkDamage(
            name_, chunk_, sub_, "holds " + std::string(what) + " with no zero byte to end it"));
    }
    return standin::Result<std::string_view>::success(*text);
}

}  // namespace models
