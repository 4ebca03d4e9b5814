#include "document/text.h"

#include <cmath>

namespace document {

double Nearest(double v) {
    if (!std::isfinite(v)) return v;
    double lower = std::floor(v);
    double diff = v - lower;
    if (diff > 0.5) return lower + 1;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

double LeadingNumber(std::string_view text) { return Nearest(LeadingValue(text)) + 0.0; }

double LeadingValue(std::string_view text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    auto isDigit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };

    skipBlanks();
    double sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') sign = -1;
        ++i;
    }
    double value = 0;
    for (skipBlanks(); isDigit(); skipBlanks()) value = value * 10 + (text[i++] - '0');
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        for (skipBlanks(); isDigit(); skipBlanks()) {
            value += (text[i++] - '0') * scale;
            scale /= 10;
        }
    }
    return sign * value + 0.0;  // + 0.0 turns -0 into 0
}

std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
    if (start == 0 || start > text.size()) return {};
    return text.substr(start - 1, count);
}

namespace {
// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the undefined ones.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
} // namespace

std::string MarkupEscaped(std::string_view utf8, std::string_view apostrophe) {
    std::string out;
    for (char ch : utf8) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += apostrophe; break;
        default:
            if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n') out += ch;
        }
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        unsigned long cp = b;
        if (b >= 0x80 && b < 0xA0) cp = kHighControls[b - 0x80] ? kHighControls[b - 0x80] : 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

long DecodeUtf8(std::string_view text, std::size_t& pos) {
    auto b = static_cast<unsigned char>(text[pos++]);
    if (b < 0x80) return b;
    int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : -1;
    if (extra < 0 || b >= 0xF8) return -1;
    long cp = b & (0x3F >> extra);
    std::size_t p = pos;
    for (int k = 0; k < extra; ++k, ++p) {
        if (p >= text.size() || (static_cast<unsigned char>(text[p]) & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (static_cast<unsigned char>(text[p]) & 0x3F);
    }
    pos = p;
    return cp;
}

std::string Utf8ToCp1252(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        long cp = DecodeUtf8(utf8, pos);
        char mapped = replacement;
        if ((cp >= 0 && cp < 0x80) || (cp >= 0xA0 && cp <= 0xFF)) {
            mapped = static_cast<char>(cp);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHighControls[k] != 0 && kHighControls[k] == cp) mapped = static_cast<char>(0x80 + k);
        }
        out += mapped;
    }
    return out;
}

std::vector<std::string> TextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

} // namespace document
