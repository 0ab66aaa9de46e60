// Reads a transcript (JSON Lines) back into values the dialog tests can look at.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace uitest {

struct Json {
    enum Kind { Null, Bool, Number, Text, Array, Object } kind = Null;
    bool boolean = false;
    long long number = 0;
    std::string text;                       // UTF-8
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    // The member `key`, or a null value when there is none.
    const Json& operator[](std::string_view key) const;
    const Json& operator[](size_t index) const;
    bool Has(std::string_view key) const;
};

// One value per line; a line that does not parse fails the test that reads it.
std::vector<Json> ReadTranscript(const std::string& hostPath);

// The control `id` of a dialog event, or a null value.
const Json& ControlOf(const Json& dialogEvent, int id);

}  // namespace uitest
