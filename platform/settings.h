#pragma once
// The per-user settings of the program: texts kept by section and key from
// one run to the next.

#include <string>

namespace platform {

class Settings {
public:
    virtual ~Settings() = default;

    // The value stored under `key` in `section`, or `fallback` when there is
    // none.
    virtual std::string Get(const std::string& section, const std::string& key,
                            const std::string& fallback) const = 0;

    // Stores a value at once, for this run and the next ones; false when it
    // could not be kept.
    virtual bool Set(const std::string& section, const std::string& key, const std::string& value) = 0;
};

} // namespace platform
