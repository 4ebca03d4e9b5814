#pragma once
// A Surface that records every drawing call, so tests can check the drawing
// logic against the coordinates the geometry formulas give. It can pass the
// calls on to another surface, so a window keeps drawing while it is watched.

#include "platform/surface.h"

#include <string>
#include <vector>

namespace platform {

struct DrawCall {
    enum Kind { Clear, Outline, Fill, Text } kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color;
    std::string text;
    Font font;
};

class RecordingSurface : public Surface {
public:
    // With no inner surface the size is `width` x `height` and a text is
    // 0.6 x size wide per character and 1.2 x size high.
    explicit RecordingSurface(Surface* inner = nullptr, double width = 800, double height = 600);

    double ScaleWidth() const override;
    double ScaleHeight() const override;
    void Clear() override;
    void Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) override;
    bool SetFont(const Font& font) override;
    Font CurrentFont() const override;
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;
    void DrawText(double x, double y, const std::string& text) override;

    // Calls of one kind, in order.
    std::vector<DrawCall> Calls(DrawCall::Kind kind) const;

    std::vector<DrawCall> calls;

private:
    Surface* inner_;
    double width_, height_;
    Font font_;
};

} // namespace platform
