// The vertex work arrays that the run lends to both layer groups: X is longitude, Y latitude, in
// decimal degrees. They hold at most 10 000 vertices; a line that would need more cannot be built.
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

  void Clear() {
    X_.clear();
    Y_.clear();
  }

  // Appends one vertex; false (and nothing appended) when the arrays are full.
  bool Append(double x, double y) {
    if (X_.size() >= kWorkArrayCapacity) return false;
    X_.push_back(x);
    Y_.push_back(y);
    return true;
  }

  // Forgets the last n vertices.
  void DropLast(std::size_t n) {
    X_.resize(X_.size() - n);
    Y_.resize(Y_.size() - n);
  }

  std::size_t Count() const { return X_.size(); }
  std::span<const double> X() const { return X_; }
  std::span<const double> Y() const { return Y_; }

 private:
  std::vector<double> X_;
  std::vector<double> Y_;
};

}  // namespace mapbasis
