// A small JSON reader for the programs' transcripts (JSON Lines, UTF-8).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Null;
    bool boolean = false;
    int64_t number = 0;        // integers only: the transcript carries no fractions
    std::string text;          // UTF-8
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    // The member `key`, or nullptr when this is no object or has no such member.
    const Json* Find(std::string_view key) const;
    // The member's text, or "" when it is missing or no string.
    std::string Text(std::string_view key) const;
    // The member's number, or `fallback` when it is missing or no number.
    int64_t Int(std::string_view key, int64_t fallback = -1) const;
    bool Has(std::string_view key) const { return Find(key) != nullptr; }
};

// nullopt when `source` is not exactly one JSON value.
std::optional<Json> ParseJson(std::string_view source);
// Every line of a JSON Lines file; a line that does not parse fails the calling test.
std::vector<Json> ReadJsonLines(const std::string& path);

}  // namespace e2e
