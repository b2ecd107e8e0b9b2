#pragma once

#include "console/presenter.hpp"
#include "console/screen.hpp"

#include <string>

namespace zk::bench {

/// The yardstick the rendering benchmark measures the presenter against: drawing carried to a
/// terminal the way the console program draws, byte for byte. Every byte a screen prints is sent
/// with its own cursor move and its own colour code, whatever the terminal already shows; a
/// cleared screen is sent as a terminal clear in the current colour, a scroll as a line feed on
/// the bottom row.
///
/// It has to see every drawn byte, not the difference between two pictures of the screen (a
/// byte drawn over the same byte, as when a screen redraws its blank lines, changes nothing in
/// the picture but is still sent by such a program). So it watches the Screen as an observer
/// and collects the bytes as they are drawn; flush() hands them to the sink in one write, as
/// a key read would.
class ReferencePresenter : public ScreenObserver {
  public:
    explicit ReferencePresenter(ByteSink& sink, PresenterOptions options = {});

    void cell_drawn(int col, int row, const Cell& cell) override;
    void screen_cleared(std::uint8_t attr) override;
    void screen_scrolled(std::uint8_t attr) override;

    /// Writes what was drawn since the last flush to the sink, once, when there is something.
    void flush();

  private:
    ByteSink& sink_;
    PresenterOptions options_;
    std::string pending_;
};

} // namespace zk::bench
