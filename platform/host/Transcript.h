// The transcript (STMTPORT_UI_LOG): one JSON object a line, UTF-8, appended as things happen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Builds one JSON value; texts handed in as CP932 are converted to UTF-8.
class JsonObject {
public:
    JsonObject& Text(std::string_view key, std::string_view cp932);
    JsonObject& Utf8(std::string_view key, std::string_view utf8);
    JsonObject& Int(std::string_view key, int64_t value);
    JsonObject& Bool(std::string_view key, bool value);
    JsonObject& Null(std::string_view key);
    JsonObject& Pair(std::string_view key, int64_t first, int64_t second);   // [first,second]
    JsonObject& Object(std::string_view key, const JsonObject& value);
    JsonObject& Array(std::string_view key, const std::vector<JsonObject>& values);
    std::string Serialise() const;   // {"key":value,...} in insertion order

private:
    std::string body_;
};

// Writes {"event":NAME, ...fields} as one line when a transcript is configured.
void LogEvent(std::string_view event, const JsonObject& fields = JsonObject());
bool TranscriptEnabled();

}  // namespace host
