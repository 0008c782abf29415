#include "models/value_fields.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "models/lwo_writer.h"
#include "models/specular_tag.h"
#include "models/surface_units.h"

namespace models {
namespace {

using lwo_writer::u2;

// A value as the file's single-precision float.
std::string f4(double value) { return lwo_writer::f4(static_cast<float>(value)); }

using Fields = base::Result<std::vector<ValueField>>;

struct NamedValue {
    std::string_view name;
    double value;
};

std::string shown(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

base::Status refused(const NamedValue& v, const std::string& why) {
    return base::Status::failure("the " + std::string(v.name) + " " + shown(v.value) + " " + why);
}

base::Status fitsF4(const NamedValue& v) {
    if (std::isfinite(v.value) && std::abs(v.value) <= std::numeric_limits<float>::max())
        return base::succeeded();
    return refused(v, "is not a finite single-precision number");
}

// LWOB's two-byte fraction, 256 = 100 %.
base::Result<std::string> twoByteFraction(const NamedValue& v) {
    const double scaled = std::round(v.value * kLwobFractionScale);
    if (!(scaled >= INT16_MIN && scaled <= INT16_MAX)) {
        return base::Result<std::string>::failure(
            refused(v, "does not fit the file's two-byte fractions (-128 to 127.99)").error());
    }
    return base::Result<std::string>::success(
        u2(static_cast<std::uint16_t>(static_cast<std::int16_t>(scaled))));
}

// LWOB's glossiness: the whole specular exponent nearest 1 / roughness.
base::Result<std::string> specularExponent(double roughness) {
    const std::optional<std::int16_t> exponent = exponentFromRoughness(roughness);
    if (!exponent) {
        return base::Result<std::string>::failure(
            refused({"roughness", roughness},
                    "needs the specular exponent " + shown(1.0 / roughness) +
                        ", but the file holds whole exponents from 1 to " +
                        std::to_string(kLargestLwobExponent))
                .error());
    }
    return base::Result<std::string>::success(u2(static_cast<std::uint16_t>(*exponent)));
}

std::vector<NamedValue> fractions(const BaseValues& values) {
    return {{"diffuse", values.diffuse},
            {"specular", values.specular},
            {"luminosity", values.luminosity}};
}

base::Status checkCommon(const BaseValues& values) {
    if (!(std::isfinite(values.roughness) && values.roughness > 0.0))
        return refused({"roughness", values.roughness}, "is not a finite number above 0");
    for (const double c : values.colour) {
        if (base::Status fits = fitsF4({"colour component", c}); !fits) return fits;
    }
    for (const NamedValue& v : fractions(values)) {
        if (base::Status fits = fitsF4(v); !fits) return fits;
    }
    return base::succeeded();
}

std::vector<ValueField> lwo2Fields(const BaseValues& values) {
    const std::string noEnvelope = u2(0);
    const std::array<std::string_view, 3> tags{"DIFF", kSpecularTag, "LUMI"};
    std::vector<ValueField> fields{
        {"COLR", f4(values.colour[0]) + f4(values.colour[1]) + f4(values.colour[2]), noEnvelope}};
    const std::vector<NamedValue> levels = fractions(values);
    for (std::size_t i = 0; i < tags.size(); ++i)
        fields.push_back({tags[i], f4(levels[i].value), noEnvelope});
    fields.push_back({"GLOS", f4(glossinessFromRoughness(values.roughness)), noEnvelope});
    return fields;
}

Fields lwobFields(const BaseValues& values) {
    std::string colour;
    for (const double c : values.colour) {
        if (!(c >= 0.0 && c <= 1.0)) {
            return Fields::failure(
                refused({"colour component", c}, "does not fit the file's byte colours (0 to 1)")
                    .error());
        }
        colour += static_cast<char>(static_cast<unsigned char>(std::lround(c * 255.0)));
    }
    std::vector<ValueField> fields{{"COLR", colour, std::string(1, '\0')}};
    const std::array<std::string_view, 3> twoByteTags{"DIFF", kSpecularTag, "LUMI"};
    const std::array<std::string_view, 3> f4Tags{"VDIF", "VSPC", "VLUM"};
    const std::vector<NamedValue> levels = fractions(values);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        base::Result<std::string> twoBytes = twoByteFraction(levels[i]);
        if (!twoBytes) return Fields::failure(twoBytes.error());
        fields.push_back({twoByteTags[i], twoBytes.value(), {}});
        fields.push_back({f4Tags[i], f4(levels[i].value), {}, false});
    }
    base::Result<std::string> exponent = specularExponent(values.roughness);
    if (!exponent) return Fields::failure(exponent.error());
    fields.push_back({"GLOS", exponent.value(), {}});
    return Fields::success(std::move(fields));
}

}  // namespace

Fields valueFields(LwoGeneration generation, const BaseValues& values) {
    if (base::Status checked = checkCommon(values); !checked)
        return Fields::failure(checked.error());
    if (generation == LwoGeneration::Lwo2) return Fields::success(lwo2Fields(values));
    return lwobFields(values);
}

}  // namespace models
