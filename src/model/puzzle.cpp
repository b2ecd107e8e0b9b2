#include "model/puzzle.hpp"

namespace zk {

void reset_puzzle(PuzzleState& p) {
    p.target.fill(0);
    p.answer.fill(0);
}

} // namespace zk
