// The vertex work arrays that the run lends to both layer groups: X is longitude, Y latitude, in
// decimal degrees. They hold at most 10 000 vertices. A line that would need more is not built:
// the arrays then say so, and the producer writes nothing of that line.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace mapbasis {

inline constexpr std::size_t kWorkArrayCapacity = 10000;

class VertexWork {
 public:
  VertexWork() {
    X_.reserve(kWorkArrayCapacity);
    Y_.reserve(kWorkArrayCapacity);
  }

  // Empties the arrays for the next line.
  void Clear() {
    X_.clear();
    Y_.clear();
    incomplete_ = false;
  }

  // Appends one vertex. When the arrays are full nothing is appended and the line is incomplete.
  void Append(double x, double y) {
    if (X_.size() >= kWorkArrayCapacity) {
      incomplete_ = true;
      return;
    }
    X_.push_back(x);
    Y_.push_back(y);
  }

  // Marks the line in the arrays as one that could not be built (a vertex did not fit, or the
  // line could not be stepped at all).
  void MarkIncomplete() { incomplete_ = true; }

  // True when a vertex of the line since the last Clear was lost: the line must not be written.
  bool Incomplete() const { return incomplete_; }

  std::size_t Count() const { return X_.size(); }
  std::span<const double> X() const { return X_; }
  std::span<const double> Y() const { return Y_; }

 private:
  std::vector<double> X_;
  std::vector<double> Y_;
  bool incomplete_ = false;
};

}  // namespace mapbasis
