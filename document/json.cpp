#include "document/json.h"

#include <cstdlib>

namespace document::json {

namespace {

constexpr int MaxDepth = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool Document(Value& out) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
        if (!Read(out, 0)) return false;
        Blanks();
        return at_ == text_.size() || Fail("testo in pi\xF9 dopo la fine");
    }

    std::string error;

private:
    bool Fail(const std::string& what) {
        if (error.empty()) error = what + " (carattere " + std::to_string(at_ + 1) + ")";
        return false;
    }

    void Blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }

    bool Literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return Fail("valore non valido");
        at_ += word.size();
        return true;
    }

    bool Read(Value& out, int depth) {
        if (depth > MaxDepth) return Fail("annidamento troppo profondo");
        Blanks();
        if (at_ >= text_.size()) return Fail("fine inattesa");
        const char ch = text_[at_];
        switch (ch) {
        case '{': return Object(out, depth);
        case '[': return Array(out, depth);
        case '"': out.kind = Value::Kind::String; return String(out.text);
        case 't': out.kind = Value::Kind::Bool; out.boolean = true; return Literal("true");
        case 'f': out.kind = Value::Kind::Bool; return Literal("false");
        case 'n': out.kind = Value::Kind::Null; return Literal("null");
        default: return Number(out);
        }
    }

    bool Object(Value& out, int depth) {
        out.kind = Value::Kind::Object;
        ++at_;
        Blanks();
        if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
        for (;;) {
            Blanks();
            std::string name;
            if (at_ >= text_.size() || text_[at_] != '"' || !String(name)) return Fail("nome atteso");
            Blanks();
            if (at_ >= text_.size() || text_[at_] != ':') return Fail("':' atteso");
            ++at_;
            Value value;
            if (!Read(value, depth + 1)) return false;
            out.names.push_back(std::move(name));
            out.values.push_back(std::move(value));
            Blanks();
            if (at_ < text_.size() && text_[at_] == ',') { ++at_; continue; }
            if (at_ < text_.size() && text_[at_] == '}') return ++at_, true;
            return Fail("',' o '}' atteso");
        }
    }

    bool Array(Value& out, int depth) {
        out.kind = Value::Kind::Array;
        ++at_;
        Blanks();
        if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
        for (;;) {
            Value value;
            if (!Read(value, depth + 1)) return false;
            out.items.push_back(std::move(value));
            Blanks();
            if (at_ < text_.size() && text_[at_] == ',') { ++at_; continue; }
            if (at_ < text_.size() && text_[at_] == ']') return ++at_, true;
            return Fail("',' o ']' atteso");
        }
    }

    static void PutUtf8(std::string& out, unsigned long code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool Hex4(unsigned long& code) {
        if (at_ + 4 > text_.size()) return Fail("sequenza \\u incompleta");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[at_++];
            const int v = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10
                        : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            if (v < 0) return Fail("sequenza \\u non valida");
            code = code * 16 + static_cast<unsigned long>(v);
        }
        return true;
    }

    bool String(std::string& out) {
        ++at_;  // the opening quote
        while (at_ < text_.size()) {
            const char ch = text_[at_++];
            if (ch == '"') return true;
            if (static_cast<unsigned char>(ch) < 0x20) return Fail("carattere di controllo in un testo");
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (at_ >= text_.size()) break;
            const char e = text_[at_++];
            switch (e) {
            case '"': case '\\': case '/': out += e; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned long code = 0;
                if (!Hex4(code)) return false;
                if (code >= 0xD800 && code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
                    at_ += 2;
                    unsigned long low = 0;
                    if (!Hex4(low)) return false;
                    code = low >= 0xDC00 && low < 0xE000 ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00) : 0xFFFD;
                } else if (code >= 0xD800 && code < 0xE000) {
                    code = 0xFFFD;
                }
                PutUtf8(out, code);
                break;
            }
            default: return Fail("sequenza di escape non valida");
            }
        }
        return Fail("testo non chiuso");
    }

    bool Number(Value& out) {
        const std::size_t start = at_;
        while (at_ < text_.size() && std::string_view("+-0123456789.eE").find(text_[at_]) != std::string_view::npos)
            ++at_;
        if (at_ == start || at_ - start > 40) return Fail("valore non valido");
        const std::string digits(text_.substr(start, at_ - start));
        char* end = nullptr;
        out.kind = Value::Kind::Number;
        out.number = std::strtod(digits.c_str(), &end);
        return end == digits.c_str() + digits.size() || Fail("numero non valido");
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

const Value* Value::Find(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return &values[i];
    return nullptr;
}

bool Parse(std::string_view text, Value& out, std::string& error) {
    Parser parser(text);
    out = Value();
    const bool ok = parser.Document(out);
    error = parser.error;
    return ok;
}

} // namespace document::json
