#include "tools/arguments.h"

#include <algorithm>

namespace tools {

bool Arguments::Has(const std::string& option) const {
    return values.count(option) > 0 || std::find(flags.begin(), flags.end(), option) != flags.end();
}

std::string Arguments::Value(const std::string& option, const std::string& fallback) const {
    const auto it = values.find(option);
    return it == values.end() ? fallback : it->second;
}

bool ReadArguments(const std::vector<std::string>& args, const std::vector<Option>& options, Arguments& out,
                   std::string& problem) {
    out = Arguments();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            out.names.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        if (const std::size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            inlineValue = true;
        }
        const auto known = std::find_if(options.begin(), options.end(), [&](const Option& o) { return o.name == name; });
        if (known == options.end()) {
            problem = "opzione sconosciuta: " + name + " (per un file il cui nome comincia con '-' usare -- prima)";
            return false;
        }
        if (!known->takesValue) {
            if (inlineValue) {
                problem = name + " non vuole un valore";
                return false;
            }
            out.flags.push_back(name);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 == args.size()) {
                problem = "manca il valore dopo " + name;
                return false;
            }
            value = args[++i];
        }
        out.values[name] = value;
    }
    return true;
}

} // namespace tools
