#include "console/keys.hpp"

namespace zk {

int ScriptedKeys::read_code() {
    if (next_ >= codes_.size()) throw InputEnded{};
    return static_cast<unsigned char>(codes_[next_++]);
}

} // namespace zk
