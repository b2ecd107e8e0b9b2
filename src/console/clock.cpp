// The console's monotonic clock in milliseconds, the one time source of the screens.

#include "console/console.hpp"

namespace zk {

std::int64_t steady_milliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace zk
