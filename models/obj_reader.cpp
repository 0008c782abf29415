#include "models/obj_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/message_text.h"
#include "base/text_lines.h"
#include "models/obj_words.h"

namespace models {
namespace {

using ReadResult = base::Result<ObjContents>;

// How much of the text's start tells whether it is text at all.
constexpr std::size_t kFirstBytes = 512;

// A file is refused from its first bytes when they hold a NUL byte or are mostly control
// bytes; later, a NUL byte anywhere is refused by its line.
std::optional<std::string> notTextReason(std::string_view text, const std::string& name) {
    const std::string_view start = text.substr(0, kFirstBytes);
    if (start.find('\0') != std::string_view::npos || base::isMostlyControlBytes(start)) {
        return name + " is not an OBJ model: it is not a text file";
    }
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        return name + ", line " + std::to_string(base::lineNumberAt(text, nul)) +
               ": a NUL byte, which no text file holds (is this an OBJ model?)";
    }
    return std::nullopt;
}

enum class Element { Vertex, Texture, Normal };

const char* elementName(Element element) {
    switch (element) {
        case Element::Vertex:
            return "vertex";
        case Element::Texture:
            return "texture";
        case Element::Normal:
            return "normal";
    }
    return "";
}

// Counted from 0, or kBrokenReference; nothing for the index 0, which no file may write.
std::optional<std::uint32_t> resolve(std::int64_t index, std::size_t givenBefore) {
    if (index == 0) return std::nullopt;
    if (index > 0) {
        const auto zeroBased = static_cast<std::uint64_t>(index) - 1;
        return zeroBased < kMostElements ? static_cast<std::uint32_t>(zeroBased) : kBrokenReference;
    }
    // -1 is the element given last. (Written so that the smallest int64 does not overflow.)
    const std::uint64_t back = static_cast<std::uint64_t>(-(index + 1)) + 1;
    return back <= givenBefore ? static_cast<std::uint32_t>(givenBefore - back) : kBrokenReference;
}

// What is wrong with a number of a vertex or normal; nothing when it can be used.
const char* numberFault(const std::optional<double>& value) {
    if (!value) return " is not a number";
    if (!std::isfinite(*value)) return " is not a finite number";
    if (std::abs(*value) > kLargestCoordinate) return " is beyond 1e300";
    return nullptr;
}

// Three numbers, finite and of a magnitude the model's placement can work with; further
// words (a vertex's weight or colour) are passed over.
base::Result<std::array<double, 3>> threeNumbers(base::LineWords& words, const char* need) {
    using Numbers = base::Result<std::array<double, 3>>;
    std::array<double, 3> values{};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const std::string_view word = words.next();
        if (word.empty()) {
            return Numbers::failure("the line gives " + std::to_string(axis) + " numbers; " + need);
        }
        const std::optional<double> value = readReal(word);
        if (const char* fault = numberFault(value)) {
            return Numbers::failure(base::quotedExcerpt(word) + fault + "; " + need);
        }
        values[axis] = *value;
    }
    return Numbers::success(values);
}

// A texture coordinate: u, and v unless the line ends (then 0); a third number, w, and
// any after it are passed over.
base::Result<std::array<double, 2>> uv(base::LineWords& words) {
    using Coordinate = base::Result<std::array<double, 2>>;
    const char* need =
        "a texture coordinate needs one or two finite numbers of magnitude at most 1e300";
    std::array<double, 2> values{};
    for (std::size_t axis = 0; axis < 2; ++axis) {
        const std::string_view word = words.next();
        if (word.empty()) {
            if (axis == 0)
                return Coordinate::failure(std::string("the line gives no numbers; ") + need);
            break;
        }
        const std::optional<double> value = readReal(word);
        if (const char* fault = numberFault(value)) {
            return Coordinate::failure(base::quotedExcerpt(word) + fault + "; " + need);
        }
        values[axis] = *value;
    }
    return Coordinate::success(values);
}

class Reader {
public:
    explicit Reader(const std::string& name) : name_(name) {}

    base::Status readLine(const base::TextLines& lines);
    ObjContents take() { return std::move(contents_); }

private:
    base::Status vertex(base::LineWords& words, std::size_t line);
    base::Status normal(base::LineWords& words, std::size_t line);
    base::Status textureCoordinate(base::LineWords& words, std::size_t line);
    base::Status face(base::LineWords& words, const base::TextLines& lines);
    base::Status corner(std::string_view word, std::size_t number, std::size_t line,
                        ObjCorner& corner) const;
    base::Result<std::uint32_t> reference(std::string_view index, Element element,
                                          std::string_view word, std::size_t number,
                                          std::size_t line) const;

    std::string at(std::size_t line) const {
        return name_ + ", line " + std::to_string(line) + ": ";
    }
    base::Status fail(std::size_t line, const std::string& what) const {
        return base::Status::failure(at(line) + what);
    }

    const std::string& name_;
    ObjContents contents_;
};

base::Status Reader::readLine(const base::TextLines& lines) {
    base::LineWords words(lines.line());
    const std::string_view keyword = words.next();
    if (keyword == "v") return vertex(words, lines.number());
    if (keyword == "f") return face(words, lines);
    if (keyword == "vn") return normal(words, lines.number());
    if (keyword == "vt") return textureCoordinate(words, lines.number());
    return base::succeeded();
}

base::Status Reader::vertex(base::LineWords& words, std::size_t line) {
    const auto position =
        threeNumbers(words, "a vertex needs three finite coordinates of magnitude at most 1e300");
    if (!position) return fail(line, position.error());
    if (contents_.positions.size() == kMostElements) {
        return fail(line,
                    "more vertices than a model may have (" + std::to_string(kMostElements) + ")");
    }
    contents_.positions.push_back(position.value());
    return base::succeeded();
}

base::Status Reader::normal(base::LineWords& words, std::size_t line) {
    const auto direction =
        threeNumbers(words, "a normal needs three finite numbers of magnitude at most 1e300");
    if (!direction) return fail(line, direction.error());
    if (contents_.normals.size() == kMostElements) {
        return fail(line,
                    "more normals than a model may have (" + std::to_string(kMostElements) + ")");
    }
    contents_.normals.push_back(direction.value());
    return base::succeeded();
}

base::Status Reader::textureCoordinate(base::LineWords& words, std::size_t line) {
    const auto coordinate = uv(words);
    if (!coordinate) return fail(line, coordinate.error());
    if (contents_.textureCoordinates.size() == kMostElements) {
        return fail(line, "more texture coordinates than a model may have (" +
                              std::to_string(kMostElements) + ")");
    }
    contents_.textureCoordinates.push_back(coordinate.value());
    return base::succeeded();
}

base::Status Reader::face(base::LineWords& words, const base::TextLines& lines) {
    contents_.faces.push_back({contents_.corners.size(), lines.offset()});
    std::size_t number = 0;
    for (std::string_view word = words.next(); !word.empty(); word = words.next()) {
        ObjCorner found;
        if (base::Status read = corner(word, ++number, lines.number(), found); !read) return read;
        contents_.corners.push_back(found);
    }
    return base::succeeded();
}

base::Status Reader::corner(std::string_view word, std::size_t number, std::size_t line,
                            ObjCorner& corner) const {
    const std::optional<CornerWords> parts = splitCorner(word);
    if (!parts) {
        return fail(line, "face corner " + std::to_string(number) + " is " +
                              base::quotedExcerpt(word) +
                              ", not of the form v, v/vt, v//vn or v/vt/vn");
    }
    const base::Result<std::uint32_t> vertex =
        reference(parts->vertex, Element::Vertex, word, number, line);
    if (!vertex) return base::Status::failure(vertex.error());
    corner.vertex = vertex.value();
    if (!parts->texture.empty()) {
        const auto texture = reference(parts->texture, Element::Texture, word, number, line);
        if (!texture) return base::Status::failure(texture.error());
        corner.texture = texture.value();
    }
    if (!parts->normal.empty()) {
        const auto normal = reference(parts->normal, Element::Normal, word, number, line);
        if (!normal) return base::Status::failure(normal.error());
        corner.normal = normal.value();
    }
    return base::succeeded();
}

// A reference made absolute. A vertex must precede a face that counts back to it; a normal
// or texture coordinate that does not is a broken reference, for the import to count.
base::Result<std::uint32_t> Reader::reference(std::string_view index, Element element,
                                              std::string_view word, std::size_t number,
                                              std::size_t line) const {
    using Reference = base::Result<std::uint32_t>;
    const auto fault = [&](const std::string& what) {
        return Reference::failure(at(line) + "face corner " + std::to_string(number) + " is " +
                                  base::quotedExcerpt(word) + ": its " + elementName(element) +
                                  " index " + what);
    };
    const std::optional<std::int64_t> value = readIndex(index);
    if (!value) return fault("is not a whole number");
    const std::size_t given = element == Element::Vertex   ? contents_.positions.size()
                              : element == Element::Normal ? contents_.normals.size()
                                                           : contents_.textureCoordinates.size();
    const std::optional<std::uint32_t> resolved = resolve(*value, given);
    if (!resolved) return fault("is 0, but indices count from 1");
    if (element == Element::Vertex && *value < 0 && *resolved == kBrokenReference) {
        return Reference::failure(at(line) + "face corner " + std::to_string(number) +
                                  " uses vertex " + base::excerpt(index) + ", but only " +
                                  std::to_string(given) + " vertices precede it");
    }
    return Reference::success(*resolved);
}

}  // namespace

std::size_t ObjContents::cornerCount(std::size_t face) const {
    const std::size_t end = face + 1 < faces.size() ? faces[face + 1].firstCorner : corners.size();
    return end - faces[face].firstCorner;
}

base::Result<ObjContents> readObj(std::string_view text, const std::string& name) {
    if (std::optional<std::string> reason = notTextReason(text, name)) {
        return ReadResult::failure(*reason);
    }
    Reader reader(name);
    base::TextLines lines(text);
    while (lines.next()) {
        if (base::Status read = reader.readLine(lines); !read)
            return ReadResult::failure(read.error());
    }
    return ReadResult::success(reader.take());
}

}  // namespace models
