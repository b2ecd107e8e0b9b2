#pragma once

// Drawing the generator's pictures: smoothed noise cut into coloured patches, and the local
// clean-ups that keep them readable and within the editor's advice.

#include "generator/random_source.hpp"
#include "model/puzzle.hpp"

#include <span>

namespace zk {

/// Smallest same-colour group, joined side by side, that counts as part of a shape.
constexpr int MIN_GROUP = 3;

/// What the shapes of a picture's top-left height x width rectangle are made of.
struct ShapeSummary {
    int cells = 0;    ///< cells of the rectangle
    int coloured = 0; ///< cells holding a run colour
    int shaped = 0;   ///< coloured cells in a same-colour group of at least MIN_GROUP cells
    /// Bit colour_index(letter) is set for each letter with such a group (which always holds
    /// a run of at least 2 in some row or column).
    std::uint8_t shaped_colours = 0;
};

/// The shapes of the rectangle, found with one pass over its same-colour groups.
ShapeSummary shape_summary(const Grid& picture, int height, int width);

/// Share of the coloured cells that lie in shapes (shaped / coloured); 0 with no coloured
/// cell.
double structure_measure(const ShapeSummary& shapes);
double structure_measure(const Grid& picture, int height, int width);

/// A new picture, white outside the rectangle's patches: blurred noise thresholded so that
/// about fill_per_mille / 1000 of the cells are coloured (integer arithmetic only, so that
/// every platform draws the same picture), each coloured cell taking the colour of the
/// nearest of a few random centres; `letters` (1 to 5 run colours) are the centres' colours,
/// every one given to at least one centre. Cells outside the rectangle are 0.
Grid draw_picture(RandomSource& random, int height, int width,
                  std::span<const std::uint8_t> letters, int fill_per_mille);

/// Turns white every coloured cell whose same-colour group is smaller than MIN_GROUP.
void drop_specks(Grid& picture, int height, int width);

/// Whitens cells until no row or column has a run longer than ADVICE_MAX_RUN: each long run
/// loses the cell just past its first ADVICE_MAX_RUN cells.
void cut_long_runs(Grid& picture, int height, int width);

} // namespace zk
