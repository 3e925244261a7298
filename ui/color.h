#pragma once
// A colour as the windows name it: the control's usual one, a fixed one, or one of the
// system's, which follows the user's scheme.
#include <cstdint>

namespace ui {

enum class SystemColor { ButtonText, ButtonFace, ButtonShadow, GrayText, Window, WindowText };

class Color {
  public:
    constexpr Color() = default;  // whatever the system gives the control
    static constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Color(Kind::Rgb, static_cast<std::uint32_t>(r << 16 | g << 8 | b));
    }
    static constexpr Color System(SystemColor c) {
        return Color(Kind::System, static_cast<std::uint32_t>(c));
    }

    bool IsDefault() const { return kind_ == Kind::Default; }
    bool IsSystem() const { return kind_ == Kind::System; }
    SystemColor SystemIndex() const { return static_cast<SystemColor>(value_); }
    std::uint8_t Red() const { return static_cast<std::uint8_t>(value_ >> 16); }
    std::uint8_t Green() const { return static_cast<std::uint8_t>(value_ >> 8); }
    std::uint8_t Blue() const { return static_cast<std::uint8_t>(value_); }
    friend bool operator==(const Color&, const Color&) = default;

  private:
    enum class Kind { Default, Rgb, System };
    constexpr Color(Kind kind, std::uint32_t value) : kind_(kind), value_(value) {}
    Kind kind_ = Kind::Default;
    std::uint32_t value_ = 0;  // 0xRRGGBB, or the SystemColor
};

}  // namespace ui
