#include "platform/recording/recording_surface.h"

namespace platform {

RecordingSurface::RecordingSurface(Surface* inner, double width, double height)
    : inner_(inner), width_(width), height_(height) {}

double RecordingSurface::ScaleWidth() const { return inner_ ? inner_->ScaleWidth() : width_; }
double RecordingSurface::ScaleHeight() const { return inner_ ? inner_->ScaleHeight() : height_; }

void RecordingSurface::Clear() {
    calls.clear();
    calls.push_back({DrawCall::Clear, 0, 0, 0, 0, colors::White, {}, font_});
    if (inner_) inner_->Clear();
}

void RecordingSurface::Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) {
    calls.push_back({filled ? DrawCall::Fill : DrawCall::Outline, x1, y1, x2, y2, color, {}, font_});
    if (inner_) inner_->Rectangle(x1, y1, x2, y2, color, filled);
}

bool RecordingSurface::SetFont(const Font& font) {
    if (inner_ && !inner_->SetFont(font)) return false;
    font_ = font;
    return true;
}

Font RecordingSurface::CurrentFont() const { return font_; }

double RecordingSurface::TextWidth(const std::string& text) const {
    return inner_ ? inner_->TextWidth(text) : 0.6 * font_.size * static_cast<double>(text.size());
}

double RecordingSurface::TextHeight(const std::string& text) const {
    return inner_ ? inner_->TextHeight(text) : 1.2 * font_.size;
}

void RecordingSurface::DrawText(double x, double y, const std::string& text) {
    calls.push_back({DrawCall::Text, x, y, x, y, colors::Black, text, font_});
    if (inner_) inner_->DrawText(x, y, text);
}

std::vector<DrawCall> RecordingSurface::Calls(DrawCall::Kind kind) const {
    std::vector<DrawCall> found;
    for (const auto& c : calls)
        if (c.kind == kind) found.push_back(c);
    return found;
}

} // namespace platform
