#include "models/lwo_import.h"

#include <cstdint>
#include <numbers>
#include <utility>

#include "base/message_text.h"
#include "models/crease_normals.h"
#include "models/lwo_reader.h"
#include "models/model_frame.h"
#include "models/polygon_triangulation.h"
#include "models/tally.h"
#include "models/triangle_area.h"

namespace models {
namespace {

using ImportResult = base::Result<ImportedModel>;

constexpr std::uint32_t kUnused = UINT32_MAX;

bool isRendered(const LwoPolygon& polygon) { return polygon.cornerCount >= 3; }

// The points the rendered polygons use, numbered anew in the order they are first used:
// points of curves, bones or no polygon at all do not move the model's frame.
struct UsedPoints {
    std::vector<std::uint32_t> numberOf;  // for each point of the file, kUnused if unused
    std::vector<std::array<double, 3>> positions;
};

UsedPoints usedPoints(const LwoContents& contents) {
    UsedPoints used;
    used.numberOf.assign(contents.positions.size(), kUnused);
    for (const LwoPolygon& polygon : contents.polygons) {
        if (!isRendered(polygon)) continue;
        for (std::uint32_t c = 0; c < polygon.cornerCount; ++c) {
            const std::uint32_t point = contents.corners[polygon.firstCorner + c];
            if (used.numberOf[point] != kUnused) continue;
            used.numberOf[point] = static_cast<std::uint32_t>(used.positions.size());
            used.positions.push_back(contents.positions[point]);
        }
    }
    return used;
}

// Polygons split into the mesh's triangles, and what the splitting met.
class MeshBuilder {
public:
    MeshBuilder(const LwoContents& contents, std::vector<std::uint32_t> numberOf,
                std::vector<Point3f> positions);

    void addPolygon(std::size_t polygon);
    TriangleMesh finish(const std::vector<double>& creaseAnglesDegrees);

    std::size_t triangles = 0;  // made from the polygons, with area or not
    Tally shortPolygons;        // of fewer than three corners
    Tally notSimple;            // split as fans
    Tally degenerate;           // triangles without area
    Tally missingTexcoords;     // corners the texture map gives no value

private:
    void takeCorners(const LwoPolygon& polygon, std::size_t number);
    void addTriangle(const CornerTriangle& corners, std::size_t polygon);

    const LwoContents& contents_;
    std::vector<std::uint32_t> numberOf_;
    TriangleMesh mesh_;
    PolygonTriangulation triangulation_;
    // The polygon being split: its corners' points in the mesh, positions and texture
    // coordinates, and its triangles.
    std::vector<std::uint32_t> points_;
    std::vector<std::array<double, 3>> positions_;
    std::vector<Point2f> texcoords_;
    std::vector<CornerTriangle> split_;
};

MeshBuilder::MeshBuilder(const LwoContents& contents, std::vector<std::uint32_t> numberOf,
                         std::vector<Point3f> positions)
    : contents_(contents), numberOf_(std::move(numberOf)) {
    mesh_.positions = std::move(positions);
}

void MeshBuilder::takeCorners(const LwoPolygon& polygon, std::size_t number) {
    const bool mapped = contents_.texcoords.mapName.has_value();
    points_.clear();
    positions_.clear();
    texcoords_.clear();
    for (std::uint32_t c = 0; c < polygon.cornerCount; ++c) {
        const std::uint32_t point = contents_.corners[polygon.firstCorner + c];
        points_.push_back(numberOf_[point]);
        const Point3f& p = mesh_.positions[points_.back()];
        positions_.push_back({p[0], p[1], p[2]});
        if (!mapped) continue;
        const auto uv = contents_.texcoords.at(static_cast<std::uint32_t>(number), point);
        if (!uv) missingTexcoords.add(number);
        texcoords_.push_back(uv.value_or(Point2f{0.0f, 0.0f}));
    }
}

void MeshBuilder::addTriangle(const CornerTriangle& corners, std::size_t polygon) {
    ++triangles;
    const std::array<std::uint32_t, 3> triangle{points_[corners[0]], points_[corners[1]],
                                                points_[corners[2]]};
    if (!hasArea(mesh_, triangle)) {
        degenerate.add(polygon);
        return;
    }
    mesh_.triangles.push_back(triangle);
    mesh_.triangleSurfaces.push_back(contents_.surfaces.polygonSurfaces[polygon]);
    if (!texcoords_.empty()) {
        mesh_.cornerTexcoords.push_back(
            {texcoords_[corners[0]], texcoords_[corners[1]], texcoords_[corners[2]]});
    }
}

void MeshBuilder::addPolygon(std::size_t number) {
    const LwoPolygon& polygon = contents_.polygons[number];
    if (!isRendered(polygon)) {
        shortPolygons.add(number);
        return;
    }
    takeCorners(polygon, number);
    split_.clear();
    if (!triangulation_.split(positions_, split_)) notSimple.add(number);
    for (const CornerTriangle& corners : split_) addTriangle(corners, number);
}

TriangleMesh MeshBuilder::finish(const std::vector<double>& creaseAnglesDegrees) {
    computeCreaseNormals(mesh_, creaseAnglesDegrees);
    return std::move(mesh_);
}

// Each surface's crease angle: `given` for all when it is, else the surface's own
// smoothing angle.
std::vector<double> creaseAngles(const std::vector<Surface>& surfaces,
                                 std::optional<double> given) {
    std::vector<double> degrees;
    for (const Surface& surface : surfaces)
        degrees.push_back(given.value_or(surface.smoothingAngle * 180.0 / std::numbers::pi));
    return degrees;
}

// "2 curves (CURV)"; "1 polygon chunk of type "XXXX"" for a type the preview does not know.
std::string skippedKind(const std::string& tag, std::size_t count) {
    const auto known = [&](const char* one, const char* many) {
        return base::counted(count, one, many) + " (" + tag + ")";
    };
    if (tag == "CURV") return known("curve", "curves");
    if (tag == "MBAL") return known("metaball", "metaballs");
    if (tag == "BONE") return known("bone", "bones");
    if (tag == "CRVS") return known("chunk of curves", "chunks of curves");
    if (tag == "PCHS") return known("chunk of patches", "chunks of patches");
    return base::counted(count, "polygon chunk", "polygon chunks") + " of type " +
           base::quotedExcerpt(tag);
}

// "2 curves (CURV), 1 metaball (MBAL) and 3 bones (BONE)"; past four kinds (a file may
// make up any number of polygon types) the others are only counted.
std::string skippedList(const std::map<std::string, std::size_t>& skipped) {
    constexpr std::size_t kNamed = 4;
    std::vector<std::string> kinds;
    for (const auto& [tag, count] : skipped) {
        if (kinds.size() == kNamed) break;
        kinds.push_back(skippedKind(tag, count));
    }
    if (skipped.size() > kNamed) {
        kinds.push_back(base::counted(skipped.size() - kNamed, "other kind", "other kinds"));
    }
    std::string list;
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        list += (k == 0 ? "" : k + 1 == kinds.size() ? " and " : ", ") + kinds[k];
    }
    return list;
}

std::string firstIn(const LwoContents& contents, const Tally& tally) {
    return "(the first in the POLS chunk at byte " +
           std::to_string(contents.chunkOffsetOf(tally.first)) + ")";
}

std::vector<std::string> warningsOf(const MeshBuilder& built, const LwoContents& contents,
                                    const std::string& name) {
    std::vector<std::string> warnings;
    if (!contents.skipped.empty()) {
        warnings.push_back(name + ": skipped " + skippedList(contents.skipped) +
                           ", which the preview does not render");
    }
    if (contents.cages > 0) {
        warnings.push_back(name + ": subdivision is not applied: " +
                           base::counted(contents.cages, "patch (PTCH, SUBD) is shown as its cage",
                                         "patches (PTCH, SUBD) are shown as their cages"));
    }
    const auto add = [&](const Tally& tally, const char* one, const char* many,
                         const std::string& after) {
        if (tally.count == 0) return;
        warnings.push_back(name + ": " + base::counted(tally.count, one, many) + " " + after + " " +
                           firstIn(contents, tally));
    };
    add(built.shortPolygons, "polygon", "polygons",
        "of fewer than three corners (points and lines) left out");
    add(built.notSimple, "polygon whose edges cross", "polygons whose edges cross",
        "in their plane split as fans from their first corner");
    add(built.degenerate, "triangle", "triangles", "without area left out");
    if (contents.texcoords.mapName) {
        add(built.missingTexcoords, "polygon corner has", "polygon corners have",
            "no value in the texture map " + base::quotedExcerpt(*contents.texcoords.mapName) +
                ", and (0, 0) is used");
    }
    if (contents.texcoords.unmatched > 0) {
        warnings.push_back(
            name + ": " + base::counted(contents.texcoords.unmatched, "value", "values") +
            " of the texture map " + base::quotedExcerpt(*contents.texcoords.mapName) +
            " name points or polygons their layer does not have: passed over");
    }
    return warnings;
}

ImportResult noPolygons(const LwoContents& contents, const std::string& name) {
    return ImportResult::failure(
        name +
        " is not a model the preview can show: it has no polygons of three or more "
        "corners" +
        (contents.skipped.empty() ? "" : ", only " + skippedList(contents.skipped)));
}

}  // namespace

base::Result<ImportedModel> importLwo(std::string_view file, const std::string& name,
                                      std::optional<double> creaseAngleDegrees) {
    base::Result<LwoContents> read = readLwo(file, name);
    if (!read) return ImportResult::failure(read.error());
    const LwoContents& contents = read.value();
    UsedPoints used = usedPoints(contents);
    if (used.positions.empty()) return noPolygons(contents, name);
    const base::Result<ModelFrame> frame = frameOf(used.positions, name);
    if (!frame) return ImportResult::failure(frame.error());
    MeshBuilder built(contents, std::move(used.numberOf),
                      positionsInFrame(used.positions, frame.value()));
    for (std::size_t p = 0; p < contents.polygons.size(); ++p) built.addPolygon(p);
    const base::Status someArea =
        someTriangleHasArea(built.triangles, built.degenerate.count, name);
    if (!someArea) return ImportResult::failure(someArea.error());
    ImportedModel import;
    import.frame = frame.value();
    import.degenerateTriangles = built.degenerate.count;
    import.warnings = warningsOf(built, contents, name);
    import.mesh = built.finish(creaseAngles(contents.surfaces.surfaces, creaseAngleDegrees));
    import.surfaces = std::move(read.value().surfaces.surfaces);
    // An object file gives no normals: every triangle's come from the crease angle.
    import.creasedTriangles = import.mesh.triangleCount();
    return ImportResult::success(std::move(import));
}

}  // namespace models
