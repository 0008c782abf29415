#include "render/obj_import.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "host/storage_files.h"
#include "render/crease_normals.h"

namespace standin {
namespace {

using ImportResult = Result<ObjImport>;

// The reader's messages end in line breaks and may hold several lines.
std::string oneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool allFinite(const std::vector<tinyobj::real_t>& values) {
    return std::all_of(values.begin(), values.end(),
                       [](tinyobj::real_t v) { return std::isfinite(v); });
}

bool hasArea(const TriangleMesh& mesh, const std::array<std::uint32_t, 3>& t) {
    const Point3f& a = mesh.positions[t[0]];
    const Point3f& b = mesh.positions[t[1]];
    const Point3f& c = mesh.positions[t[2]];
    const double e1[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double e2[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                         e1[0] * e2[1] - e1[1] * e2[0]};
    const double area2 = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
    return area2 > 0.0 && std::isfinite(area2);
}

// The normal the file gives for one corner, when it gives a usable one.
std::optional<Point3f> fileNormal(const tinyobj::attrib_t& attrib, int index) {
    if (index < 0 || static_cast<std::size_t>(index) * 3 + 2 >= attrib.normals.size()) {
        return std::nullopt;
    }
    const float* n = &attrib.normals[static_cast<std::size_t>(index) * 3];
    const double length =
        std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
    if (!(length > 0.0) || !std::isfinite(length)) return std::nullopt;
    return Point3f{float(n[0] / length), float(n[1] / length), float(n[2] / length)};
}

struct Triangles {
    std::vector<std::array<std::uint32_t, 3>> corners;
    std::vector<std::array<std::optional<Point3f>, 3>> normals;
};

// One corner of a face, checked against the file's vertices.
Result<std::uint32_t> cornerVertex(const tinyobj::index_t& index, std::size_t vertexCount,
                                   const std::string& name, const std::string& shape) {
    const int v = index.vertex_index;
    if (v < 0 || static_cast<std::size_t>(v) >= vertexCount) {
        return Result<std::uint32_t>::failure(
            name + " is damaged: a face of \"" + shape + "\" uses vertex " +
            std::to_string(static_cast<long>(v) + 1) + " but the file has " +
            std::to_string(vertexCount) + " vertices");
    }
    return Result<std::uint32_t>::success(static_cast<std::uint32_t>(v));
}

// Every face of every shape, fanned into triangles around its first corner. The reader
// is asked not to triangulate: it would read vertices before anyone checked the indices.
Result<Triangles> collectTriangles(const tinyobj::ObjReader& reader, const std::string& name) {
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const std::size_t vertexCount = attrib.vertices.size() / 3;
    Triangles found;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const std::vector<tinyobj::index_t>& indices = shape.mesh.indices;
        std::size_t start = 0;
        for (const unsigned int size : shape.mesh.num_face_vertices) {
            if (start + size > indices.size()) break;
            std::vector<std::uint32_t> corners;
            for (std::size_t c = 0; c < size; ++c) {
                Result<std::uint32_t> v =
                    cornerVertex(indices[start + c], vertexCount, name, shape.name);
                if (!v) return Result<Triangles>::failure(v.error());
                corners.push_back(v.value());
            }
            for (std::size_t c = 1; c + 1 < size; ++c) {
                found.corners.push_back({corners[0], corners[c], corners[c + 1]});
                found.normals.push_back({fileNormal(attrib, indices[start].normal_index),
                                         fileNormal(attrib, indices[start + c].normal_index),
                                         fileNormal(attrib, indices[start + c + 1].normal_index)});
            }
            start += size;
        }
    }
    return Result<Triangles>::success(std::move(found));
}

ImportResult buildMesh(const tinyobj::ObjReader& reader, const std::string& name,
                       double creaseAngleDegrees) {
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    if (!allFinite(attrib.vertices)) {
        return ImportResult::failure(name +
                                     " is damaged: a vertex has a coordinate that is not a "
                                     "finite number");
    }
    Result<Triangles> triangles = collectTriangles(reader, name);
    if (!triangles) return ImportResult::failure(triangles.error());
    if (triangles->corners.empty()) {
        return ImportResult::failure(name +
                                     " is not a model: it has no faces (is it an OBJ file?)");
    }
    ObjImport import;
    TriangleMesh& mesh = import.mesh;
    mesh.positions.resize(attrib.vertices.size() / 3);
    for (std::size_t v = 0; v < mesh.positions.size(); ++v) {
        mesh.positions[v] = {attrib.vertices[3 * v], attrib.vertices[3 * v + 1],
                             attrib.vertices[3 * v + 2]};
    }
    std::vector<std::array<std::optional<Point3f>, 3>> normals;
    for (std::size_t t = 0; t < triangles->corners.size(); ++t) {
        if (!hasArea(mesh, triangles->corners[t])) {
            ++import.degenerateTriangles;
            continue;
        }
        mesh.triangles.push_back(triangles->corners[t]);
        normals.push_back(triangles->normals[t]);
    }
    if (mesh.triangles.empty()) {
        return ImportResult::failure(name + " is not a usable model: none of its " +
                                     std::to_string(triangles->corners.size()) +
                                     " triangles has any area");
    }
    computeCreaseNormals(mesh, creaseAngleDegrees);
    // Where the file gives normals for all three corners, they replace the computed ones.
    for (std::size_t t = 0; t < normals.size(); ++t) {
        const auto& given = normals[t];
        if (given[0] && given[1] && given[2])
            mesh.cornerNormals[t] = {*given[0], *given[1], *given[2]};
    }
    return ImportResult::success(std::move(import));
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next blank-separated word of line, taken off its front; empty at the end.
std::string_view nextWord(std::string_view& line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && !isBlank(line[end])) ++end;
    const std::string_view word = line.substr(start, end - start);
    line.remove_prefix(end);
    return word;
}

// Whether word is a whole decimal number that is finite.
bool isFiniteNumber(std::string_view word) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    double value = 0.0;
    const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && stop == word.data() + word.size() && std::isfinite(value);
}

// The reader takes a coordinate it cannot parse ("nan", "zz") for 0, so every vertex line
// is checked for three finite numbers first, and a damaged one is named by its line.
std::optional<std::string> damagedVertexLine(std::string_view text, const std::string& name) {
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (nextWord(line) != "v") continue;
        for (int axis = 0; axis < 3; ++axis) {
            if (!isFiniteNumber(nextWord(line))) {
                return name + " is damaged: line " + std::to_string(number) +
                       " gives a vertex without three finite coordinates";
            }
        }
    }
    return std::nullopt;
}

ImportResult parsed(const tinyobj::ObjReader& reader, bool ok, const std::string& name,
                    double creaseAngleDegrees) {
    if (!ok || !reader.Error().empty()) {
        const std::string reason = oneLine(reader.Error());
        return ImportResult::failure(name + " cannot be read as an OBJ model" +
                                     (reason.empty() ? std::string() : ": " + reason));
    }
    return buildMesh(reader, name, creaseAngleDegrees);
}

tinyobj::ObjReaderConfig readerConfig() {
    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    return config;
}

}  // namespace

Result<ObjImport> importObjFile(const std::string& path, double creaseAngleDegrees) {
    // Read first, so that a missing or unreadable file gets the system's reason.
    const Result<std::string> bytes = readBinaryFile(path);
    if (!bytes) return ImportResult::failure(bytes.error());
    if (bytes->find('\0') != std::string::npos) {
        return ImportResult::failure(path + " is not an OBJ model: it is not a text file");
    }
    return importObjText(bytes.value(), path, creaseAngleDegrees);
}

Result<ObjImport> importObjText(const std::string& text, const std::string& name,
                                double creaseAngleDegrees) {
    if (std::optional<std::string> damage = damagedVertexLine(text, name)) {
        return ImportResult::failure(*damage);
    }
    tinyobj::ObjReader reader;
    const bool ok = reader.ParseFromString(text, std::string(), readerConfig());
    return parsed(reader, ok, name, creaseAngleDegrees);
}

}  // namespace standin
