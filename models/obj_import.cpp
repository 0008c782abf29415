#include "models/obj_import.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "base/message_text.h"
#include "base/text_lines.h"
#include "models/crease_normals.h"
#include "models/obj_reader.h"
#include "models/obj_words.h"
#include "models/polygon_triangulation.h"
#include "models/tally.h"
#include "models/triangle_area.h"

namespace models {
namespace {

using ImportResult = base::Result<ImportedModel>;

std::string atLine(const std::string& name, std::string_view text, std::size_t offset) {
    return name + ", line " + std::to_string(base::lineNumberAt(text, offset));
}

// The words of corner `corner` (from 0) of the face whose line starts at `offset`.
CornerWords cornerAt(std::string_view text, std::size_t offset, std::size_t corner) {
    base::TextLines lines(text.substr(offset));
    lines.next();
    base::LineWords words(lines.line());
    words.next();  // the keyword
    for (std::size_t c = 0; c < corner; ++c) words.next();
    return splitCorner(words.next()).value_or(CornerWords{});
}

// A face may use vertices given after it, so the vertex of every corner is checked once
// the whole file is read; the first corner past the file's vertices is named.
std::optional<std::string> brokenVertexReference(const ObjContents& model, std::string_view text,
                                                 const std::string& name) {
    const std::size_t count = model.positions.size();
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const ObjFace& face = model.faces[f];
        for (std::size_t c = 0; c < model.cornerCount(f); ++c) {
            if (model.corners[face.firstCorner + c].vertex < count) continue;
            return atLine(name, text, face.lineOffset) + ": face corner " + std::to_string(c + 1) +
                   " uses vertex " + base::excerpt(cornerAt(text, face.lineOffset, c).vertex) +
                   ", but the file has only " + base::counted(count, "vertex", "vertices");
        }
    }
    return std::nullopt;
}

bool hasTriangles(const ObjContents& model) {
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        if (model.cornerCount(f) >= 3) return true;
    }
    return false;
}

// A normal of the file made unit length; nothing for one of zero length.
std::optional<Point3f> unitNormal(const std::array<double, 3>& n) {
    const double largest = std::max({std::abs(n[0]), std::abs(n[1]), std::abs(n[2])});
    if (!(largest > 0.0)) return std::nullopt;
    const double x = n[0] / largest, y = n[1] / largest, z = n[2] / largest;
    const double length = std::sqrt(x * x + y * y + z * z);
    return Point3f{float(x / length), float(y / length), float(z / length)};
}

// A corner's texture coordinates, where it refers to some the file gives.
using CornerTexcoord = std::optional<Point2f>;

// Faces split into triangles in their own plane, as an object file's polygons are, and
// what the splitting met.
class FaceSplitter {
public:
    FaceSplitter(const ObjContents& model, std::vector<Point3f> positions);

    void addFace(std::size_t face);
    // The mesh with its normals (computed, then the file's where it gives all three) and
    // its texture coordinates, when any corner has some.
    TriangleMesh finish(double creaseAngleDegrees);
    // Triangles made so far that keep computed normals.
    std::size_t creasedTriangles() const { return mesh_.triangles.size() - fileNormals_.size(); }

    std::size_t triangles = 0;  // made from the faces, with area or not
    Tally degenerate;           // triangles without area
    Tally shortFaces;           // of fewer than three corners
    Tally notSimple;            // faces whose edges cross, split as fans
    Tally unusableNormals;      // corners using a normal the file does not give, or of no length
    Tally brokenTextures;       // corners using texture coordinates the file does not give
    Tally untextured;           // corners without texture coordinates
    bool textured = false;      // some corner has texture coordinates

private:
    std::optional<Point3f> cornerNormal(const ObjCorner& corner, std::size_t offset);
    CornerTexcoord cornerTexcoord(const ObjCorner& corner, std::size_t offset);
    void takeCorners(const ObjCorner* corners, std::size_t count, std::size_t offset);
    void addTriangle(const ObjCorner* corners, const CornerTriangle& triangle, std::size_t offset);

    const ObjContents& model_;
    std::vector<std::optional<Point3f>> normals_;
    TriangleMesh mesh_;
    std::vector<std::pair<std::size_t, std::array<Point3f, 3>>> fileNormals_;
    PolygonTriangulation triangulation_;
    // The face being split: its corners' normals, texture coordinates and positions, and
    // its triangles.
    std::vector<std::optional<Point3f>> faceNormals_;
    std::vector<CornerTexcoord> faceTexcoords_;
    std::vector<std::array<double, 3>> facePositions_;
    std::vector<CornerTriangle> split_;
};

FaceSplitter::FaceSplitter(const ObjContents& model, std::vector<Point3f> positions)
    : model_(model) {
    mesh_.positions = std::move(positions);
    normals_.reserve(model.normals.size());
    for (const auto& n : model.normals) normals_.push_back(unitNormal(n));
}

std::optional<Point3f> FaceSplitter::cornerNormal(const ObjCorner& corner, std::size_t offset) {
    if (corner.normal == kNoReference) return std::nullopt;
    if (corner.normal < normals_.size() && normals_[corner.normal]) return normals_[corner.normal];
    unusableNormals.add(offset);
    return std::nullopt;
}

// Narrowed to single precision, as the renderer interpolates them; a coordinate beyond
// its range keeps its largest value.
CornerTexcoord FaceSplitter::cornerTexcoord(const ObjCorner& corner, std::size_t offset) {
    if (corner.texture == kNoReference) return std::nullopt;
    if (corner.texture >= model_.textureCoordinates.size()) {
        brokenTextures.add(offset);
        return std::nullopt;
    }
    const auto narrowed = [](double value) {
        constexpr double largest = std::numeric_limits<float>::max();
        return static_cast<float>(std::clamp(value, -largest, largest));
    };
    const std::array<double, 2>& uv = model_.textureCoordinates[corner.texture];
    return Point2f{narrowed(uv[0]), narrowed(uv[1])};
}

// Split where the mesh has them, in the model's frame, as an object file's polygon is.
void FaceSplitter::takeCorners(const ObjCorner* corners, std::size_t count, std::size_t offset) {
    faceNormals_.resize(count);
    faceTexcoords_.resize(count);
    facePositions_.resize(count);
    for (std::size_t c = 0; c < count; ++c) {
        faceNormals_[c] = cornerNormal(corners[c], offset);
        faceTexcoords_[c] = cornerTexcoord(corners[c], offset);
        if (faceTexcoords_[c]) {
            textured = true;
        } else {
            untextured.add(offset);
        }
        const Point3f& p = mesh_.positions[corners[c].vertex];
        facePositions_[c] = {p[0], p[1], p[2]};
    }
}

// A corner without texture coordinates takes (0, 0).
void FaceSplitter::addTriangle(const ObjCorner* corners, const CornerTriangle& triangle,
                               std::size_t offset) {
    ++triangles;
    const std::array<std::uint32_t, 3> vertices{
        corners[triangle[0]].vertex, corners[triangle[1]].vertex, corners[triangle[2]].vertex};
    if (!hasArea(mesh_, vertices)) {
        degenerate.add(offset);
        return;
    }
    mesh_.triangles.push_back(vertices);
    if (!model_.textureCoordinates.empty()) {
        std::array<Point2f, 3> kept{};
        for (std::size_t k = 0; k < 3; ++k)
            kept[k] = faceTexcoords_[triangle[k]].value_or(Point2f{});
        mesh_.cornerTexcoords.push_back(kept);
    }
    const auto& n = faceNormals_;
    if (n[triangle[0]] && n[triangle[1]] && n[triangle[2]]) {
        fileNormals_.push_back(
            {mesh_.triangles.size() - 1, {*n[triangle[0]], *n[triangle[1]], *n[triangle[2]]}});
    }
}

void FaceSplitter::addFace(std::size_t face) {
    const std::size_t count = model_.cornerCount(face);
    const std::size_t offset = model_.faces[face].lineOffset;
    if (count < 3) {
        shortFaces.add(offset);
        return;
    }
    const ObjCorner* corners = &model_.corners[model_.faces[face].firstCorner];
    takeCorners(corners, count, offset);
    split_.clear();
    if (!triangulation_.split(facePositions_, split_)) notSimple.add(offset);
    for (const CornerTriangle& triangle : split_) addTriangle(corners, triangle, offset);
}

TriangleMesh FaceSplitter::finish(double creaseAngleDegrees) {
    computeCreaseNormals(mesh_, creaseAngleDegrees);
    for (const auto& [triangle, normals] : fileNormals_) mesh_.cornerNormals[triangle] = normals;
    if (!textured) mesh_.cornerTexcoords = {};
    return std::move(mesh_);
}

std::vector<std::string> warningsOf(const FaceSplitter& faces, std::string_view text,
                                    const std::string& name) {
    std::vector<std::string> warnings;
    const auto firstLine = [&](const Tally& tally) {
        return std::to_string(base::lineNumberAt(text, tally.first));
    };
    if (faces.degenerate.count > 0) {
        warnings.push_back(
            name + ": " + base::counted(faces.degenerate.count, "triangle", "triangles") +
            " without area left out (the first on line " + firstLine(faces.degenerate) + ")");
    }
    if (faces.shortFaces.count > 0) {
        warnings.push_back(name + ": " + base::counted(faces.shortFaces.count, "face", "faces") +
                           " of fewer than three corners left out (the first on line " +
                           firstLine(faces.shortFaces) + ")");
    }
    if (faces.notSimple.count > 0) {
        warnings.push_back(name + ": " +
                           base::counted(faces.notSimple.count, "face whose edges cross",
                                         "faces whose edges cross") +
                           " in their plane split as fans from their first corner (the first "
                           "on line " +
                           firstLine(faces.notSimple) + ")");
    }
    if (faces.unusableNormals.count > 0) {
        warnings.push_back(
            name + ": " +
            base::counted(faces.unusableNormals.count, "face corner uses", "face corners use") +
            " a normal the file does not give, or one of no length (the first on line " +
            firstLine(faces.unusableNormals) + "): their triangles get computed normals");
    }
    if (faces.brokenTextures.count > 0) {
        warnings.push_back(
            name + ": " +
            base::counted(faces.brokenTextures.count, "face corner uses", "face corners use") +
            " texture coordinates the file does not give (the first on line " +
            firstLine(faces.brokenTextures) + ")" +
            (faces.textured ? "" : ": the model has no texture coordinates"));
    }
    if (faces.textured && faces.untextured.count > 0) {
        warnings.push_back(
            name + ": " +
            base::counted(faces.untextured.count, "face corner has", "face corners have") +
            " no texture coordinates while others have (the first on line " +
            firstLine(faces.untextured) + "): they take (0, 0)");
    }
    return warnings;
}

ImportResult buildMesh(const ObjContents& model, std::string_view text, const std::string& name,
                       double creaseAngleDegrees) {
    const base::Result<ModelFrame> frame = frameOf(model.positions, name);
    if (!frame) return ImportResult::failure(frame.error());
    FaceSplitter faces(model, positionsInFrame(model.positions, frame.value()));
    for (std::size_t f = 0; f < model.faces.size(); ++f) faces.addFace(f);
    const base::Status someArea =
        someTriangleHasArea(faces.triangles, faces.degenerate.count, name);
    if (!someArea) return ImportResult::failure(someArea.error());
    ImportedModel import;
    import.frame = frame.value();
    import.degenerateTriangles = faces.degenerate.count;
    import.creasedTriangles = faces.creasedTriangles();
    import.warnings = warningsOf(faces, text, name);
    import.mesh = faces.finish(creaseAngleDegrees);
    return ImportResult::success(std::move(import));
}

}  // namespace

base::Result<ImportedModel> importObjText(std::string_view text, const std::string& name,
                                          double creaseAngleDegrees) {
    const base::Result<ObjContents> model = readObj(text, name);
    if (!model) return ImportResult::failure(model.error());
    if (std::optional<std::string> broken = brokenVertexReference(model.value(), text, name)) {
        return ImportResult::failure(*broken);
    }
    if (!hasTriangles(model.value())) {
        return ImportResult::failure(
            name + " is not a model: it has no faces" +
            (model->faces.empty() ? " (is it an OBJ file?)" : " of three or more corners"));
    }
    return buildMesh(model.value(), text, name, creaseAngleDegrees);
}

}  // namespace models
