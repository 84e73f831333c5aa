// Linked into a test build of the program (mapbasis_failing_new): the allocation numbered
// MAPBASIS_FAIL_NEW_AT (counting from 0) and every one after it fails, as when memory runs out for
// good. Without MAPBASIS_FAIL_NEW_AT every allocation succeeds.
#include <cstdlib>
#include <new>

namespace {

long FailAt() {
  static const long at = [] {
    const char* text = std::getenv("MAPBASIS_FAIL_NEW_AT");
    return text != nullptr ? std::atol(text) : -1;
  }();
  return at;
}

long gCount = 0;

void* Allocate(std::size_t size) {
  const long at = FailAt();
  if (at >= 0 && gCount++ >= at) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
