// One move-only owner per kind of handle: it frees what it holds exactly once. Portable, so the
// ownership rules are unit-tested without Windows; the Windows traits live in win32_handles.h.
#pragma once

#include <utility>

namespace pelmor::ui {

// Traits: `using Handle = ...;`, `static Handle Null()`, `static void Free(Handle)`.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Null(); }

  Handle release() { return std::exchange(handle_, Traits::Null()); }
  void reset(Handle handle = Traits::Null()) {
    Handle old = std::exchange(handle_, handle);
    if (old != Traits::Null()) Traits::Free(old);
  }

 private:
  Handle handle_ = Traits::Null();
};

}  // namespace pelmor::ui
