#pragma once
// The one argument reader of every quadrivo-tool command: options anywhere
// among the names ("-o FILE", "--minimo 40", "--minimo=40", "--completo"),
// "--" ends the options, so a file whose name starts with "-" can be named
// after it; an option the command does not know is an error that names it.

#include <map>
#include <string>
#include <vector>

namespace tools {

struct Option {
    std::string name;  // "-o", "--minimo"
    bool takesValue = false;
};

struct Arguments {
    std::map<std::string, std::string> values;  // options with a value, by name (the last one given)
    std::vector<std::string> flags;             // options without one, as given
    std::vector<std::string> names;             // everything else, in order

    bool Has(const std::string& option) const;
    // The value of an option, or `fallback` when it was not given.
    std::string Value(const std::string& option, const std::string& fallback = {}) const;
};

// Reads `args` against the command's `options`; false with `problem` (in
// Italian) for an unknown option or a missing value.
bool ReadArguments(const std::vector<std::string>& args, const std::vector<Option>& options, Arguments& out,
                   std::string& problem);

} // namespace tools
