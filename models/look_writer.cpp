#include "models/look_writer.h"

#include <unordered_map>
#include <unordered_set>

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
    std::vector<std::string> names;
    for (const Surface& surface : surfaces.surfaces)
        names.push_back(base::quotedExcerpt(surface.name));
    return "its surfaces are " + base::listed(names);
}

std::string surfaceNameOf(const LwoChunk& chunk) {
    LwoBytes data = chunk.data;
    return std::string(data.s0().value_or(""));
}

// The file as the writer reads it, once: its surfaces, and the first SURF chunk of each
// surface that a look goes to, in file order.
struct ReadFile {
    LwoGeneration generation = LwoGeneration::Lwo2;
    LwoSurfaces surfaces;
    std::vector<LwoChunk> written;
};

base::Result<ReadFile> readOnce(std::string_view file, const std::string& name,
                                const std::unordered_map<std::string, std::size_t>& lookOf) {
    using Read = base::Result<ReadFile>;
    base::Result<LwoForm> form = LwoForm::open(file, name);
    if (!form) return Read::failure(form.error());
    ReadFile read;
    read.generation = form->generation();
    SurfaceReader reader(read.generation, file, name);
    std::unordered_set<std::string> found;
    for (;;) {
        base::Result<std::optional<LwoChunk>> next = form->next();
        if (!next) return Read::failure(next.error());
        if (!next.value()) break;
        const LwoChunk& chunk = *next.value();
        if (base::Status status = reader.readChunkWithoutPolygons(chunk); !status)
            return Read::failure(status.error());
        if (chunk.tag != "SURF") continue;
        std::string surface = surfaceNameOf(chunk);
        if (lookOf.count(surface) > 0 && found.insert(std::move(surface)).second)
            read.written.push_back(chunk);
    }
    base::Result<LwoSurfaces> surfaces = reader.finish();
    if (!surfaces) return Read::failure(surfaces.error());
    read.surfaces = std::move(surfaces.value());
    return Read::success(std::move(read));
}

class LookWriter {
public:
    LookWriter(std::string_view file, const std::string& name,
               const std::vector<SurfaceLookWrite>& writes)
        : file_(file), name_(name), writes_(writes) {}

    Written run();

private:
    base::Status checkSurfaces() const;
    base::Result<SurfaceLook> lookFor(const std::string& surface) const;
    Written failed(const std::string& surface, const std::string& why) const;
    base::Result<Replacement> replacement(const LwoChunk& chunk, std::size_t formEnd) const;
    Written assembled(const std::vector<Replacement>& replacements, std::size_t formEnd,
                      const std::string& appended) const;

    std::string_view file_;
    const std::string& name_;
    const std::vector<SurfaceLookWrite>& writes_;
    std::unordered_map<std::string, std::size_t> lookOf_;     // the first write of each surface
    std::unordered_map<std::string, std::size_t> surfaceOf_;  // in read_.surfaces
    ReadFile read_;
};

Written LookWriter::run() {
    if (writes_.empty())
        return Written::failure(name_ + " takes no look: no surface is named to write it into");
    for (std::size_t i = 0; i < writes_.size(); ++i) lookOf_.try_emplace(writes_[i].surface, i);
    base::Result<ReadFile> read = readOnce(file_, name_, lookOf_);
    if (!read) return Written::failure(read.error());
    read_ = std::move(read.value());
    for (std::size_t i = 0; i < read_.surfaces.surfaces.size(); ++i)
        surfaceOf_.try_emplace(read_.surfaces.surfaces[i].name, i);
    if (base::Status known = checkSurfaces(); !known) return Written::failure(known.error());

    LwoBytes header(file_.substr(4, 4), 4);
    const std::size_t formEnd = kFormHeader + *header.u4();  // as open() checked it
    std::vector<Replacement> replacements;
    std::unordered_set<std::string> done;  // the surfaces written
    for (const LwoChunk& chunk : read_.written) {
        base::Result<Replacement> replaced = replacement(chunk, formEnd);
        if (!replaced) return Written::failure(replaced.error());
        replacements.push_back(std::move(replaced.value()));
        done.insert(surfaceNameOf(chunk));
    }
    std::string appended;
    for (const SurfaceLookWrite& write : writes_) {
        if (!done.insert(write.surface).second) continue;  // in its chunk, or a second write
        const base::Result<SurfaceLook> look = lookFor(write.surface);
        if (!look) return Written::failure(look.error());
        const Written data = newSurfaceData(read_.generation, write.surface, look.value());
        if (!data) return failed(write.surface, data.error());
        appended += lwo_writer::chunk("SURF", data.value());  // small: a name and a few values
    }
    return assembled(replacements, formEnd, appended);
}

// Every surface written is one of the file's.
base::Status LookWriter::checkSurfaces() const {
    const bool lwo2 = read_.generation == LwoGeneration::Lwo2;
    for (const auto& [surface, look] : writes_) {
        if (surfaceOf_.count(surface) == 0 && !(lwo2 && surface == kDefaultSurfaceName)) {
            return base::Status::failure(name_ + " has no surface named " +
                                         base::quotedExcerpt(surface) + ": " +
                                         namesOf(read_.surfaces));
        }
    }
    return base::succeeded();
}

base::Result<SurfaceLook> LookWriter::lookFor(const std::string& surface) const {
    using LookResult = base::Result<SurfaceLook>;
    const ObjectLook& look = writes_[lookOf_.at(surface)].look;
    const auto read = surfaceOf_.find(surface);
    SurfaceLook written{look.block,
                        {},
                        read == surfaceOf_.end()
                            ? std::string()
                            : read_.surfaces.surfaces[read->second].lastOrdinal};
    if (look.values) {
        base::Result<std::vector<ValueField>> fields = valueFields(read_.generation, *look.values);
        if (!fields) return LookResult::failure(failed(surface, fields.error()).error());
        written.values = std::move(fields.value());
    }
    return LookResult::success(std::move(written));
}

Written LookWriter::failed(const std::string& surface, const std::string& why) const {
    return Written::failure(name_ + " cannot take the look in surface " +
                            base::quotedExcerpt(surface) + ": " + why);
}

// The chunk written anew, and the stretch of the file it takes the place of.
base::Result<Replacement> LookWriter::replacement(const LwoChunk& chunk,
                                                  std::size_t formEnd) const {
    using Replaced = base::Result<Replacement>;
    const std::string surface = surfaceNameOf(chunk);
    const base::Result<SurfaceLook> look = lookFor(surface);
    if (!look) return Replaced::failure(look.error());
    const Written data = rewrittenSurfaceData(chunk, read_.generation, file_, name_, look.value());
    if (!data) return Replaced::failure(failed(surface, data.error()).error());
    if (data->size() > lwo_writer::kLargestChunk)
        return Replaced::failure(
            failed(surface, "its SURF chunk would outgrow its four-byte length").error());
    const std::size_t dataEnd = chunk.data.offset() + chunk.data.left();
    // Only the form's last chunk may end without its pad byte.
    const std::size_t chunkEnd = dataEnd + (dataEnd % 2 == 1 && dataEnd < formEnd ? 1 : 0);
    return Replaced::success({chunk.offset, chunkEnd, lwo_writer::chunk("SURF", data.value())});
}

// The copy, made once at its final size.
Written LookWriter::assembled(const std::vector<Replacement>& replacements, std::size_t formEnd,
                              const std::string& appended) const {
    std::size_t body = formEnd - kFormHeader;
    for (const Replacement& r : replacements) body = body - (r.to - r.from) + r.bytes.size();
    const bool pad = !appended.empty() && body % 2 == 1;  // the last chunk went without it
    body += (pad ? 1 : 0) + appended.size();
    if (body > UINT32_MAX) {
        return Written::failure(name_ +
                                " cannot take the look: the file would outgrow the "
                                "four-byte length of its FORM");
    }
    std::string out;
    out.reserve(kFormHeader + body + (file_.size() - formEnd));
    out.append(file_.substr(0, 4));
    out += lwo_writer::u4(static_cast<std::uint32_t>(body));
    std::size_t at = kFormHeader;
    for (const Replacement& r : replacements) {
        out.append(file_.substr(at, r.from - at));
        out += r.bytes;
        at = r.to;
    }
    out.append(file_.substr(at, formEnd - at));
    if (pad) out += '\0';
    out += appended;
    out.append(file_.substr(formEnd));  // bytes after the form belong to no chunk
    return Written::success(std::move(out));
}

}  // namespace

Written writeLooks(std::string_view file, const std::string& name,
                   const std::vector<SurfaceLookWrite>& writes) {
    return LookWriter(file, name, writes).run();
}

Written writeLook(std::string_view file, const std::string& name,
                  const std::vector<std::string>& surfaces, const ObjectLook& look) {
    std::vector<SurfaceLookWrite> writes;
    for (const std::string& surface : surfaces) writes.push_back({surface, look});
    return writeLooks(file, name, writes);
}

}  // namespace models
