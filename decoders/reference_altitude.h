#pragma once

namespace trelvox {

// The first valid altitude reading of a conversion, from which an altitude column measures height.
// "Not yet taken" is kept apart from the value, so any reading can become the reference, and once
// taken it is never retaken.
template <typename T>
class ReferenceAltitude {
 public:
  bool isTaken() const { return taken_; }
  void take(T reading) {
    if (taken_) return;
    value_ = reading;
    taken_ = true;
  }
  T value() const { return value_; }

 private:
  T value_{};
  bool taken_ = false;
};

}  // namespace trelvox
