// The diagonals that split a simple polygon into pieces monotone from top to bottom (each
// piece's boundary runs down on one side and up on the other), found by one sweep from
// the top down: each corner where the boundary turns back on itself (a split or a merge
// corner) is joined to the corner above or below it that sees it across the polygon.
// O(n log n) for n corners, the edges the sweep crosses held in a balanced tree ordered
// from left to right.
#ifndef PELORIX3_MODELS_MONOTONE_SWEEP_H
#define PELORIX3_MODELS_MONOTONE_SWEEP_H

#include <cstdint>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "models/sweep_polygon.h"

namespace models {

using Diagonal = std::pair<std::uint32_t, std::uint32_t>;

// Keeps its working memory from one polygon to the next. It points at itself (its tree's
// order does), so it is not copied.
class MonotoneSweep {
public:
    MonotoneSweep() = default;
    MonotoneSweep(const MonotoneSweep&) = delete;
    MonotoneSweep& operator=(const MonotoneSweep&) = delete;

    // Sets `diagonals` to those of the polygon's ring. False when the sweep meets what a
    // simple polygon cannot hold (an edge it should cross and does not, or a corner with
    // no edge to its left where there must be one): the polygon's edges cross.
    bool findDiagonals(const SweepPolygon& polygon, std::vector<Diagonal>& diagonals);

private:
    enum class Kind : std::uint8_t { Start, End, Split, Merge, LeftSide, RightSide };

    // An edge is named by the corner it leaves (edge c runs from c to the next corner).
    struct EdgeOrder {
        using is_transparent = void;
        const MonotoneSweep* sweep;
        bool operator()(std::uint32_t e, std::uint32_t f) const { return sweep->leftOf(e, f); }
        // An edge against a corner the sweep has reached (for the edge to its left).
        struct Corner {
            std::uint32_t number;
        };
        bool operator()(std::uint32_t e, Corner c) const { return sweep->side(e, c.number) > 0; }
        bool operator()(Corner c, std::uint32_t e) const { return sweep->side(e, c.number) < 0; }
    };

    Kind kindOf(std::uint32_t corner) const;
    std::uint32_t top(std::uint32_t edge) const;
    std::uint32_t bottom(std::uint32_t edge) const;
    // > 0 when `corner` lies to the right of the edge, < 0 to its left.
    double side(std::uint32_t edge, std::uint32_t corner) const;
    bool leftOf(std::uint32_t e, std::uint32_t f) const;

    bool visit(std::uint32_t corner);
    bool enter(std::uint32_t edge);
    bool leave(std::uint32_t edge);
    std::optional<std::uint32_t> edgeLeftOf(std::uint32_t corner) const;
    void joinMergeHelper(std::uint32_t corner, std::uint32_t edge);

    const SweepPolygon* polygon_ = nullptr;
    std::vector<Diagonal>* diagonals_ = nullptr;
    std::vector<std::uint32_t> order_;  // the ring's corners, from the top down
    std::vector<Kind> kind_;
    // The lowest corner met so far between each edge the sweep crosses and the next edge
    // to its right: where a corner below that joins across.
    std::vector<std::uint32_t> helper_;
    std::set<std::uint32_t, EdgeOrder> crossed_{EdgeOrder{this}};
    std::vector<std::set<std::uint32_t, EdgeOrder>::iterator> place_;  // in crossed_, by edge
    std::vector<std::uint8_t> isCrossed_;
};

}  // namespace models

#endif
