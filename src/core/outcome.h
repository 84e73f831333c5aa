// How the project's own helpers report: success, or a failure and one line saying why, in words a
// user of the batch program understands.
//
// Each module names its failures in an enum class of its own (ParamFileFault, FolderFault,
// LayerFault, ...), next to the functions that report them; a Fault holds one value of such an
// enum and compares equal only to that value of that enum, so the same number in two modules'
// enums never means the same thing. The number itself is the failure's code as the module
// documents it (the parameter reader's 2..6, OpenLayer's 120..126).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>

namespace mapbasis {

template <class E>
concept FaultEnum = std::is_enum_v<E> && !std::is_convertible_v<E, int>;

namespace outcome_detail {
// Its address tells one module's enum from another's.
template <FaultEnum E>
inline constexpr char kKindOf = 0;
}  // namespace outcome_detail

class Fault {
 public:
  constexpr Fault() = default;  // no failure
  template <FaultEnum E>
  constexpr Fault(E fault)  // NOLINT: a module's failure converts implicitly
      : kind_(&outcome_detail::kKindOf<E>), code_(static_cast<std::int32_t>(fault)) {}

  constexpr explicit operator bool() const { return kind_ != nullptr; }

  // The failure's code in its module's enum; 0 when there is no failure.
  constexpr std::int32_t code() const { return code_; }

  // The failure as a value of E, when it is one.
  template <FaultEnum E>
  constexpr std::optional<E> As() const {
    if (kind_ != &outcome_detail::kKindOf<E>) return std::nullopt;
    return static_cast<E>(code_);
  }

  template <FaultEnum E>
  friend constexpr bool operator==(const Fault& fault, E value) {
    return fault.As<E>() == value;
  }
  constexpr bool operator==(const Fault&) const = default;

  friend std::ostream& operator<<(std::ostream& out, const Fault& fault) {
    return fault ? out << "fault " << fault.code_ : out << "no fault";
  }

 private:
  const char* kind_ = nullptr;
  std::int32_t code_ = 0;
};

struct Outcome {
  Fault fault;         // none on success
  std::string reason;  // cp1251, empty on success

  bool ok() const { return !fault; }
};

inline Outcome Success() { return {}; }

template <FaultEnum E>
Outcome Failure(E fault, std::string reason) {
  return {fault, std::move(reason)};
}

}  // namespace mapbasis
