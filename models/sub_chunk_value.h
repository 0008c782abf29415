// The value a surface sub-chunk holds at its start, read after checking that the sub-chunk
// holds enough bytes for it and that it is a finite number. What follows the value (an
// envelope, or more the preview does not use) is left alone.
#ifndef PELORIX3_MODELS_SUB_CHUNK_VALUE_H
#define PELORIX3_MODELS_SUB_CHUNK_VALUE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "base/triple.h"
#include "models/sub_chunks.h"

namespace models {

class SubChunkValue {
public:
    SubChunkValue(const std::string& name, const LwoChunk& chunk, const SubChunk& sub)
        : name_(name), chunk_(chunk), sub_(sub) {}

    base::Result<double> f4() const;
    base::Result<base::Triple> threeF4() const;
    base::Result<std::int16_t> i2() const;
    // Four bytes: red, green and blue from 0 to 255, as fractions of 255, then one unused.
    base::Result<base::Triple> byteColour() const;
    // A zero-terminated string, its pad skipped: the rest of the sub-chunk follows in `rest`.
    base::Result<std::string_view> s0(std::string_view what, LwoBytes& rest) const;

private:
    base::Status tooShort(std::size_t needed) const;
    base::Status notFinite() const;

    const std::string& name_;
    const LwoChunk& chunk_;
    const SubChunk& sub_;
};

// Sets `setting` to what `value` holds, through `convert`; or passes on why there is none.
template <class T, class S, class Convert>
base::Status storeValue(const base::Result<T>& value, std::optional<S>& setting, Convert convert) {
    if (!value) return base::Status::failure(value.error());
    setting = convert(value.value());
    return base::succeeded();
}

template <class T>
base::Status storeValue(const base::Result<T>& value, std::optional<T>& setting) {
    return storeValue(value, setting, [](const T& v) { return v; });
}

}  // namespace models

#endif
