#pragma once

namespace qv {

// Shows the busy cursor for as long as long work runs. The program installs
// the Qt one; without one nothing is shown.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void Begin() = 0;
  virtual void End() = 0;
};

class BusyGuard {
 public:
  explicit BusyGuard(BusyCursor* cursor) : cursor_(cursor) {
    if (cursor_) cursor_->Begin();
  }
  ~BusyGuard() {
    if (cursor_) cursor_->End();
  }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  BusyCursor* cursor_;
};

}  // namespace qv
