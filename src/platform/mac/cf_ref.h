// CFRef: owns one CoreFoundation reference and releases it when it goes.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <utility>

namespace corvella::mac {

template <typename Ref>
class CFRef {
 public:
  CFRef() = default;
  // Takes over a reference from a Create or Copy call (may be null).
  static CFRef adopt(Ref ref) { return CFRef(ref); }
  // Keeps a reference got from a Get call alive for as long as this lives.
  static CFRef retain(Ref ref) {
    if (ref) CFRetain(ref);
    return CFRef(ref);
  }

  CFRef(const CFRef& other) : ref_(other.ref_) {
    if (ref_) CFRetain(ref_);
  }
  CFRef(CFRef&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
  CFRef& operator=(CFRef other) noexcept {
    std::swap(ref_, other.ref_);
    return *this;
  }
  ~CFRef() {
    if (ref_) CFRelease(ref_);
  }

  Ref get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }

 private:
  explicit CFRef(Ref ref) : ref_(ref) {}
  Ref ref_ = nullptr;
};

}  // namespace corvella::mac
