// Tests of the enlarge request fitted to narrow windows.

#include "console/enlarge_request.hpp"

#include "menu/console_texts.hpp"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(EnlargeRequest, TheLongestFormThatFitsAlwaysShowsTheNeededSize) {
    const std::string request(ENLARGE_REQUEST.request);
    const int length = static_cast<int>(request.size());
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, 79), request);
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, length), request);
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, length - 1), "80 x 25");
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, 7), "80 x 25");
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, 2), "80");
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, 0), "");
    const TerminalSize now{60, 20};
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, 59, &now), request + " (teraz 60 x 20)");
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, length + 16, &now),
              request + " (teraz 60 x 20)");
    EXPECT_EQ(fit_enlarge_request(ENLARGE_REQUEST, length + 15, &now), request);
}

} // namespace
} // namespace zk
