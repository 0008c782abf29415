// The value a surface sub-chunk holds at its start, read after checking that the sub-chunk
// holds enough bytes for it and that it is a finite number. What follows the value (an
// envelope, or more the preview does not use) is left alone.
#ifndef PELORIX3_MODELS_SUB_CHUNK_VALUE_H
#define PELORIX3_MODELS_SUB_CHUNK_VALUE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/result.h"
#include "host/triple.h"
#include "models/sub_chunks.h"

namespace models {

class SubChunkValue {
public:
    SubChunkValue(const std::string& name, const standin::LwoChunk& chunk, const SubChunk& sub)
        : name_(name), chunk_(chunk), sub_(sub) {}

    standin::Result<double> f4() const;
    standin::Result<standin::Triple> threeF4() const;
    standin::Result<std::int16_t> i2() const;
    // Four bytes: red, green and blue from 0 to 255, as fractions of 255, then one unused.
    standin::Result<standin::Triple> byteColour() const;
    // A zero-terminated string, its pad skipped: the rest of the sub-chunk follows in `rest`.
    standin::Result<std::string_view> s0(std::string_view what, standin::LwoBytes& rest) const;

private:
    standin::Status tooShort(std::size_t needed) const;
    standin::Status notFinite() const;

    const std::string& name_;
    const standin::LwoChunk& chunk_;
    const SubChunk& sub_;
};

// Sets `setting` to what `value` holds, through `convert`; or passes on why there is none.
template <class T, class S, class Convert>
standin::Status storeValue(const standin::Result<T>& value, std::optional<S>& setting,
                           Convert convert) {
    if (!value) return standin::Status::failure(value.error());
    setting = convert(value.value());
    return standin::succeeded();
}

template <class T>
standin::Status storeValue(const standin::Result<T>& value, std::optional<T>& setting) {
    return storeValue(value, setting, [](const T& v) { return v; });
}

}  // namespace models

#endif
