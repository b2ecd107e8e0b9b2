#pragma once

// The benchmarks' yardstick for the presenter: a terminal fed one positioned, coloured cell at a
// time.

#include "console/presenter.hpp"
#include "console/screen.hpp"

#include <string>

namespace zk::bench {

/// The yardstick the rendering benchmark measures the presenter against: drawing carried to a
/// terminal the way a console program draws, one positioned byte at a time. Shown a frame, it
/// sends every cell that differs from the frame before with its own cursor move and its own
/// colour code, whatever the terminal already shows; a frame that is cheaper sent as a clear
/// is sent as a terminal clear in its commonest blank attribute and then every cell that is
/// not such a blank.
///
/// It sees only frames, not the drawing calls between them, so a cell the program draws again
/// with the same glyph and attribute is not counted, though a console program sends it: the
/// reference is conservative, the presenter's advantage over it if anything understated.
class ReferencePresenter {
  public:
    explicit ReferencePresenter(ByteSink& sink, PresenterOptions options = {});

    /// Sends what changed since the previous frame (the first frame: since a cleared console
    /// of blanks in attribute 7, after hiding the cursor and clearing the terminal). Writes to
    /// the sink once, and only when there is something.
    void present(const Screen& screen);

  private:
    ByteSink& sink_;
    PresenterOptions options_;
    bool started_ = false;
    Screen previous_; // the frame the terminal shows
};

} // namespace zk::bench
