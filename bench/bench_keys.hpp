#pragma once

// What the rendering benchmark and the soak drive the program with: a byte-counting terminal, a
// key source that presents the screen before every key, and the scripted key streams.

#include "reference_presenter.hpp"

#include "console/keys.hpp"
#include "console/presenter.hpp"
#include "console/screen.hpp"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zk::bench {

using Clock = std::chrono::steady_clock;

/// The terminal of a benchmark: keeps only the number of bytes it was given.
class CountingSink : public ByteSink {
  public:
    bool write(std::string_view bytes) override {
        count += bytes.size();
        return true;
    }
    std::size_t count = 0;
};

/// A key source that shows the screen before handing out each code, as the program's terminal
/// key source does before every read: through the real presenter or through the reference
/// presenter, each of which sends what changed since the last key its own way. The codes come
/// from next_code().
class PresentingKeys : public KeySource {
  public:
    explicit PresentingKeys(Presenter& presenter) : presenter_(&presenter) {}
    explicit PresentingKeys(ReferencePresenter& reference) : reference_(&reference) {}

    /// The screen presented before every read; none until this is called.
    void show(Screen& screen) { screen_ = &screen; }

    int read_code() final {
        present();
        return next_code();
    }

    /// Shows the screen now.
    void present() {
        if (screen_ == nullptr) return;
        if (reference_ != nullptr) reference_->present(*screen_);
        if (presenter_ != nullptr) presenter_->present(*screen_);
    }

  protected:
    /// The next code; throws InputEnded when there is none.
    virtual int next_code() = 0;

  private:
    Presenter* presenter_ = nullptr;
    ReferencePresenter* reference_ = nullptr;
    Screen* screen_ = nullptr;
};

/// What stood on the counting sink when a key read had presented the screen, and when.
struct ReadMark {
    std::size_t bytes;
    Clock::time_point at;
};

/// A fixed script of codes that marks every read: marks()[i] is taken as the i-th code is
/// handed out, after the screen was presented. The bytes and the time one action cost are then
/// the difference between the read before its key and the read after it.
class MarkedScript : public PresentingKeys {
  public:
    template <typename Shower>
    MarkedScript(Shower& shower, const CountingSink& sink, std::string codes)
        : PresentingKeys(shower), sink_(sink), codes_(std::move(codes)) {
        marks_.reserve(codes_.size() + 1);
    }

    const std::vector<ReadMark>& marks() const { return marks_; }

  protected:
    int next_code() override;

  private:
    const CountingSink& sink_;
    std::string codes_;
    std::size_t next_ = 0;
    std::vector<ReadMark> marks_;
};

/// An endless, repeatable stream of the codes a long game sees: moves in all four directions
/// as letters and as arrows (some refused at the board's edges), paints in all six colours,
/// checks, codes that no table holds, and quit dialogs answered N after a dropped code. It
/// never gives the quit dialog's T, so a game fed from it is only left by winning.
class GameKeyMix {
  public:
    explicit GameKeyMix(std::uint32_t seed = 20240611) : state_(seed) {}
    int next();

  private:
    std::uint32_t random();

    std::uint32_t state_;
    std::array<int, 4> queued_{};
    int queued_count_ = 0;
    int queued_next_ = 0;
};

} // namespace zk::bench
