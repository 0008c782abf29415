#include "models/look_writer.h"

#include <algorithm>

#include "base/message_text.h"
#include "models/lwo_form.h"
#include "models/lwo_writer.h"
#include "models/surface_reader.h"
#include "models/surface_rewrite.h"

namespace models {
namespace {

using Written = base::Result<std::string>;

constexpr std::size_t kFormHeader = 8;  // FORM and its length

// A stretch of the file and what takes its place.
struct Replacement {
    std::size_t from = 0;
    std::size_t to = 0;
    std::string bytes;
};

std::string namesOf(const LwoSurfaces& surfaces) {
    if (surfaces.surfaces.empty()) return "it has none";
    std::string names = "its surfaces are ";
    for (const Surface& surface : surfaces.surfaces) {
        if (&surface != &surfaces.surfaces.front()) names += ", ";
        names += base::quotedExcerpt(surface.name);
    }
    return names;
}

const Surface* surfaceNamed(const LwoSurfaces& surfaces, const std::string& name) {
    const auto found = std::find_if(surfaces.surfaces.begin(), surfaces.surfaces.end(),
                                    [&](const Surface& surface) { return surface.name == name; });
    return found == surfaces.surfaces.end() ? nullptr : &*found;
}

// The surfaces to write, each once; fails for a name that is not a surface of the file.
base::Result<std::vector<std::string>> targets(const std::vector<std::string>& names,
                                               const LwoSurfaces& surfaces, bool lwo2,
                                               const std::string& file) {
    using Names = base::Result<std::vector<std::string>>;
    if (names.empty())
        return Names::failure(file + " takes no look: no surface is named to write it into");
    std::vector<std::string> unique;
    for (const std::string& name : names) {
        if (!surfaceNamed(surfaces, name) && !(lwo2 && name == kDefaultSurfaceName)) {
            return Names::failure(file + " has no surface named " + base::quotedExcerpt(name) +
                                  ": " + namesOf(surfaces));
        }
        if (std::find(unique.begin(), unique.end(), name) == unique.end()) unique.push_back(name);
    }
    return Names::success(std::move(unique));
}

std::string surfaceNameOf(const LwoChunk& chunk) {
    LwoBytes data = chunk.data;
    return std::string(data.s0().value_or(""));
}

class LookWriter {
public:
    LookWriter(std::string_view file, const std::string& name, LwoGeneration generation,
               const LwoSurfaces& surfaces, const ObjectLook& look, std::vector<ValueField> values)
        : file_(file),
          name_(name),
          generation_(generation),
          surfaces_(surfaces),
          look_(look),
          values_(std::move(values)) {}

    Written run(std::vector<std::string> targets);

private:
    SurfaceLook lookFor(const std::string& surface) const;
    Written failed(const std::string& surface, const std::string& why) const;
    Written assembled(const std::vector<Replacement>& replacements, std::size_t formEnd,
                      const std::string& appended) const;

    std::string_view file_;
    const std::string& name_;
    LwoGeneration generation_;
    const LwoSurfaces& surfaces_;
    const ObjectLook& look_;
    std::vector<ValueField> values_;
};

SurfaceLook LookWriter::lookFor(const std::string& surface) const {
    const Surface* read = surfaceNamed(surfaces_, surface);
    return {look_.block, values_, read ? read->lastOrdinal : std::string()};
}

Written LookWriter::failed(const std::string& surface, const std::string& why) const {
    return Written::failure(name_ + " cannot take the look in surface " +
                            base::quotedExcerpt(surface) + ": " + why);
}

Written LookWriter::run(std::vector<std::string> targets) {
    base::Result<LwoForm> form = LwoForm::open(file_, name_);
    if (!form) return Written::failure(form.error());
    std::vector<Replacement> replacements;
    LwoBytes header(file_.substr(4, 4), 4);
    const std::size_t formEnd = kFormHeader + *header.u4();  // as open() checked it
    for (;;) {
        base::Result<std::optional<LwoChunk>> next = form->next();
        if (!next) return Written::failure(next.error());
        if (!next.value()) break;
        const LwoChunk& chunk = *next.value();
        const std::size_t dataEnd = chunk.data.offset() + chunk.data.left();
        // Only the form's last chunk may end without its pad byte.
        const std::size_t chunkEnd = dataEnd + (dataEnd % 2 == 1 && dataEnd < formEnd ? 1 : 0);
        if (chunk.tag != "SURF") continue;
        const std::string surface = surfaceNameOf(chunk);
        const auto target = std::find(targets.begin(), targets.end(), surface);
        if (target == targets.end()) continue;  // not written, or its first chunk was
        targets.erase(target);
        const Written data =
            rewrittenSurfaceData(chunk, generation_, file_, name_, lookFor(surface));
        if (!data) return failed(surface, data.error());
        if (data->size() > lwo_writer::kLargestChunk)
            return failed(surface, "its SURF chunk would outgrow its four-byte length");
        replacements.push_back({chunk.offset, chunkEnd, lwo_writer::chunk("SURF", data.value())});
    }
    std::string appended;
    for (const std::string& surface : targets) {
        const Written data = newSurfaceData(generation_, surface, lookFor(surface));
        if (!data) return failed(surface, data.error());
        appended += lwo_writer::chunk("SURF", data.value());  // small: a name and a few values
    }
    return assembled(replacements, formEnd, appended);
}

Written LookWriter::assembled(const std::vector<Replacement>& replacements, std::size_t formEnd,
                              const std::string& appended) const {
    std::string body;
    std::size_t at = kFormHeader;
    for (const Replacement& r : replacements) {
        body.append(file_.substr(at, r.from - at));
        body += r.bytes;
        at = r.to;
    }
    body.append(file_.substr(at, formEnd - at));
    if (!appended.empty()) {
        if (body.size() % 2 == 1) body += '\0';  // the pad byte the last chunk went without
        body += appended;
    }
    if (body.size() > UINT32_MAX) {
        return Written::failure(name_ +
                                " cannot take the look: the file would outgrow the "
                                "four-byte length of its FORM");
    }
    std::string out = std::string(file_.substr(0, 4)) +
                      lwo_writer::u4(static_cast<std::uint32_t>(body.size())) + body;
    out.append(file_.substr(formEnd));  // bytes after the form belong to no chunk
    return Written::success(std::move(out));
}

}  // namespace

Written writeLook(std::string_view file, const std::string& name,
                  const std::vector<std::string>& surfaces, const ObjectLook& look) {
    const base::Result<LwoSurfaces> read = readSurfaces(file, name);
    if (!read) return Written::failure(read.error());
    const LwoGeneration generation = LwoForm::open(file, name)->generation();
    const bool lwo2 = generation == LwoGeneration::Lwo2;
    base::Result<std::vector<std::string>> names = targets(surfaces, read.value(), lwo2, name);
    if (!names) return Written::failure(names.error());
    std::vector<ValueField> values;
    if (look.values) {
        base::Result<std::vector<ValueField>> fields = valueFields(generation, *look.values);
        if (!fields) return Written::failure(name + " cannot take the look: " + fields.error());
        values = std::move(fields.value());
    }
    return LookWriter(file, name, generation, read.value(), look, std::move(values))
        .run(std::move(names.value()));
}

}  // namespace models
