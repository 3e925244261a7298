#pragma once
// COM references owned like any other handle, and the apartment a call needs.
#include <objbase.h>

#include <memory>

namespace platform {

struct ComReleaser {
    void operator()(IUnknown* p) const { p->Release(); }
};
template <class T>
using ComRef = std::unique_ptr<T, ComReleaser>;

// Fills `ref` from a call that hands back a new reference through its last argument.
template <class T>
class ComOut {
  public:
    explicit ComOut(ComRef<T>& ref) : ref_(ref) {}
    ~ComOut() { ref_.reset(raw_); }
    operator T**() { return &raw_; }
    // For the calls that take any interface as void**.
    void** Any() { return reinterpret_cast<void**>(&raw_); }

  private:
    ComRef<T>& ref_;
    T* raw_ = nullptr;
};

// COM may be running on this thread already (the drop target's OLE), in either model;
// balance only a call of our own.
class ComScope {
  public:
    ComScope() : ours_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (ours_) CoUninitialize();
    }

  private:
    bool ours_;
};

}  // namespace platform
