#include "models/sub_chunk_value.h"

#include <cmath>

#include "base/message_text.h"

namespace models {
namespace {

template <class T>
base::Result<T> failed(const base::Status& status) {
    return base::Result<T>::failure(status.error());
}

}  // namespace

base::Status SubChunkValue::tooShort(std::size_t needed) const {
    return subChunkDamage(name_, chunk_, sub_,
                          "holds " + base::counted(sub_.data.left(), "byte", "bytes") +
                              ", too few for its value of " + std::to_string(needed));
}

base::Status SubChunkValue::notFinite() const {
    return subChunkDamage(name_, chunk_, sub_, "holds a value that is not a finite number");
}

base::Result<double> SubChunkValue::f4() const {
    LwoBytes data = sub_.data;
    const std::optional<float> value = data.f4();
    if (!value) return failed<double>(tooShort(4));
    if (!std::isfinite(*value)) return failed<double>(notFinite());
    return base::Result<double>::success(*value);
}

base::Result<base::Triple> SubChunkValue::threeF4() const {
    LwoBytes data = sub_.data;
    if (data.left() < 12) return failed<base::Triple>(tooShort(12));
    base::Triple values{};
    for (double& v : values) {
        v = *data.f4();
        if (!std::isfinite(v)) return failed<base::Triple>(notFinite());
    }
    return base::Result<base::Triple>::success(values);
}

base::Result<std::int16_t> SubChunkValue::i2() const {
    LwoBytes data = sub_.data;
    const std::optional<std::int16_t> value = data.i2();
    if (!value) return failed<std::int16_t>(tooShort(2));
    return base::Result<std::int16_t>::success(*value);
}

base::Result<base::Triple> SubChunkValue::byteColour() const {
    LwoBytes data = sub_.data;
    const std::optional<std::uint32_t> bytes = data.u4();  // red, green, blue, then 0
    if (!bytes) return failed<base::Triple>(tooShort(4));
    const auto fraction = [&](int shift) { return (*bytes >> shift & 0xFF) / 255.0; };
    return base::Result<base::Triple>::success({fraction(24), fraction(16), fraction(8)});
}

base::Result<std::string_view> SubChunkValue::s0(std::string_view what, LwoBytes& rest) const {
    rest = sub_.data;
    const std::optional<std::string_view> text = rest.s0();
    if (!text) {
        return failed<std::string_view>(subChunkDamage(
            name_, chunk_, sub_, "holds " + std::string(what) + " with no zero byte to end it"));
    }
    return base::Result<std::string_view>::success(*text);
}

}  // namespace models
