#pragma once
// Settings for tests, kept in memory; a test can make every write fail.

#include "platform/settings.h"

#include <map>
#include <string>
#include <utility>

namespace platform {

class RecordingSettings : public Settings {
public:
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& fallback) const override {
        const auto found = values.find({section, key});
        return found == values.end() ? fallback : found->second;
    }
    bool Set(const std::string& section, const std::string& key, const std::string& value) override {
        if (failWrites) return false;
        values[{section, key}] = value;
        return true;
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    bool failWrites = false;
};

} // namespace platform
