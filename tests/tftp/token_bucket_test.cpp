#include "tftp/token_bucket.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

using std::chrono::milliseconds;

TEST(TokenBucket, ABurstThenTheRate) {
  const TTokenBucket::Clock::time_point t0{};
  TTokenBucket bucket(3, 4);  // a token every 250 ms
  auto takes = [&](TTokenBucket::Clock::time_point now, int tries) {
    int n = 0;
    for (int i = 0; i < tries; ++i) n += bucket.Take(now);
    return n;
  };
  EXPECT_EQ(takes(t0, 10), 3);
  EXPECT_EQ(takes(t0 + milliseconds(200), 10), 0);
  EXPECT_EQ(takes(t0 + milliseconds(250), 10), 1);
  EXPECT_EQ(takes(t0 + milliseconds(1250), 10), 3);  // four tokens' time, at most the burst
  // A clock that went back gives nothing, and does not count the same time twice.
  EXPECT_EQ(takes(t0, 10), 0);
  EXPECT_EQ(takes(t0 + milliseconds(1500), 10), 1);
}

}  // namespace
}  // namespace quillon
