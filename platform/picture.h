#pragma once
// A move-only owner of one system picture (an icon or a bitmap), kept free of Win32 types
// so program logic can pass pictures around on both backends.
#include <cstdint>
#include <utility>

namespace platform {

class Picture {
  public:
    enum class Kind { None, Icon, Bitmap };
    using Destroyer = void (*)(Kind, std::uintptr_t);

    Picture() = default;
    Picture(Kind kind, std::uintptr_t handle, Destroyer destroy)
        : kind_(kind), handle_(handle), destroy_(destroy) {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Picture(Picture&& other) noexcept { *this = std::move(other); }
    Picture& operator=(Picture&& other) noexcept {
        if (this != &other) {
            Reset();
            kind_ = std::exchange(other.kind_, Kind::None);
            handle_ = std::exchange(other.handle_, 0);
            destroy_ = std::exchange(other.destroy_, nullptr);
        }
        return *this;
    }
    ~Picture() { Reset(); }

    Kind kind() const { return kind_; }
    std::uintptr_t handle() const { return handle_; }
    explicit operator bool() const { return kind_ != Kind::None && handle_ != 0; }

    void Reset() {
        if (destroy_ && handle_) destroy_(kind_, handle_);
        kind_ = Kind::None;
        handle_ = 0;
        destroy_ = nullptr;
    }

  private:
    Kind kind_ = Kind::None;
    std::uintptr_t handle_ = 0;
    Destroyer destroy_ = nullptr;
};

}  // namespace platform
