#pragma once
// A rate limit: at most `burst` events at once and `perSecond` on average. The client
// answers strangers' datagrams through one, so a flood of them never becomes a flood
// of answers.
#include <algorithm>
#include <chrono>

namespace quillon {

class TTokenBucket {
 public:
  using Clock = std::chrono::steady_clock;

  TTokenBucket(double burst, double perSecond) : burst_(burst), perSecond_(perSecond), tokens_(burst) {}

  // Whether an event at `now` may happen; it uses up a token when it may.
  bool Take(Clock::time_point now) {
    if (!started_) {
      started_ = true;
      last_ = now;
    } else if (now > last_) {
      tokens_ = std::min(burst_, tokens_ + std::chrono::duration<double>(now - last_).count() * perSecond_);
      last_ = now;
    }
    if (tokens_ < 1) return false;
    tokens_ -= 1;
    return true;
  }

 private:
  double burst_, perSecond_, tokens_;
  bool started_ = false;
  Clock::time_point last_;
};

}  // namespace quillon
