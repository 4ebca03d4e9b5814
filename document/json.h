#pragma once
// A small JSON reader for the files other crossword programs write (.ipuz):
// objects, arrays, strings (escapes and \u sequences to UTF-8), numbers,
// true, false and null. Depth and size are bounded, so any bytes are safe.

#include <string>
#include <string_view>
#include <vector>

namespace document::json {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // String: UTF-8
    std::vector<Value> items;
    // Object: names and values, in file order (a vector of an incomplete
    // type is fine, a pair of one is not).
    std::vector<std::string> names;
    std::vector<Value> values;

    bool IsNull() const { return kind == Kind::Null; }
    bool IsString() const { return kind == Kind::String; }
    bool IsNumber() const { return kind == Kind::Number; }
    bool IsArray() const { return kind == Kind::Array; }
    bool IsObject() const { return kind == Kind::Object; }
    // The member of that name, or nullptr (also when this is no object).
    const Value* Find(std::string_view name) const;
};

// Parses a whole document; false, with `error` in Italian (Windows-1252),
// when the text is not JSON. A leading byte order mark is skipped.
bool Parse(std::string_view text, Value& out, std::string& error);

} // namespace document::json
