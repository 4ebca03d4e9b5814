#pragma once
// The drawing operations every drawing routine relies on, on any surface: a
// window, a dialog's picture box, a printed page. Coordinates are in the
// surface's own units; both corners of a rectangle are included.

#include <cstdint>
#include <string>

namespace platform {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

namespace colors {
constexpr Color Black{0, 0, 0};
constexpr Color DarkBlue{0, 0, 128};
constexpr Color DarkRed{128, 0, 0};
constexpr Color Yellow{255, 255, 0};
constexpr Color White{255, 255, 255};
} // namespace colors

struct Font {
    std::string name;
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    friend bool operator==(const Font&, const Font&) = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    // Size of the drawing area in the surface's units.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

    // Erases everything drawn.
    virtual void Clear() = 0;

    // Outline or filled rectangle from (x1, y1) to (x2, y2), both included.
    virtual void Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) = 0;

    // Sets the current font; false when the surface cannot use that font.
    virtual bool SetFont(const Font& font) = 0;
    virtual Font CurrentFont() const = 0;

    // Width and height of a text in the current font, in surface units.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual double TextHeight(const std::string& text) const = 0;

    // Draws a text (Windows-1252 bytes) in black, transparent background,
    // with its top-left corner at (x, y).
    virtual void DrawText(double x, double y, const std::string& text) = 0;
};

} // namespace platform
