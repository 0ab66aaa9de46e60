// The transcript: JSON values built field by field and appended to STMTPORT_UI_LOG one line at a time.
#include "host/Transcript.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "host/Codepage.h"

namespace host {
namespace {

void AppendQuoted(std::string& out, std::string_view utf8)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char ch : ValidUtf8(utf8)) {
        unsigned char byte = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

// `"key":` after a comma when fields came before.
void AppendKey(std::string& body, std::string_view key)
{
    if (!body.empty()) {
        body += ',';
    }
    AppendQuoted(body, key);
    body += ':';
}

// The open transcript, reopened when STMTPORT_UI_LOG names another file.
class TranscriptFile {
public:
    ~TranscriptFile() { CloseFile(); }

    void Append(const std::string& line)
    {
        const char* path = std::getenv("STMTPORT_UI_LOG");
        if (path == nullptr || *path == '\0') {
            CloseFile();
            return;
        }
        if (fd_ < 0 || path_ != path) {
            CloseFile();
            path_ = path;
            fd_ = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
            if (fd_ < 0) {
                std::fprintf(stderr, "cannot open the transcript %s: %s\n", path, std::strerror(errno));
                return;
            }
        }
        // One write() per line, so that lines from several writers never interleave.
        size_t done = 0;
        while (done < line.size()) {
            ssize_t n = write(fd_, line.data() + done, line.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                std::fprintf(stderr, "cannot write the transcript %s: %s\n", path_.c_str(), std::strerror(errno));
                return;
            }
            done += static_cast<size_t>(n);
        }
    }

private:
    void CloseFile()
    {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = -1;
        path_.clear();
    }

    int fd_ = -1;
    std::string path_;
};

}  // namespace

JsonObject& JsonObject::Text(std::string_view key, std::string_view cp932)
{
    return Utf8(key, Cp932ToUtf8(cp932));
}

JsonObject& JsonObject::Utf8(std::string_view key, std::string_view utf8)
{
    AppendKey(body_, key);
    AppendQuoted(body_, utf8);
    return *this;
}

JsonObject& JsonObject::Int(std::string_view key, int64_t value)
{
    AppendKey(body_, key);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Bool(std::string_view key, bool value)
{
    AppendKey(body_, key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::Null(std::string_view key)
{
    AppendKey(body_, key);
    body_ += "null";
    return *this;
}

JsonObject& JsonObject::Pair(std::string_view key, int64_t first, int64_t second)
{
    AppendKey(body_, key);
    body_ += '[' + std::to_string(first) + ',' + std::to_string(second) + ']';
    return *this;
}

JsonObject& JsonObject::Object(std::string_view key, const JsonObject& value)
{
    AppendKey(body_, key);
    body_ += value.Serialise();
    return *this;
}

JsonObject& JsonObject::Array(std::string_view key, const std::vector<JsonObject>& values)
{
    AppendKey(body_, key);
    body_ += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            body_ += ',';
        }
        body_ += values[i].Serialise();
    }
    body_ += ']';
    return *this;
}

std::string JsonObject::Serialise() const
{
    return '{' + body_ + '}';
}

void LogEvent(std::string_view event, const JsonObject& fields)
{
    if (!TranscriptEnabled()) {
        return;
    }
    static TranscriptFile file;
    std::string line = JsonObject().Utf8("event", event).Serialise();
    std::string body = fields.Serialise();
    if (body.size() > 2) {
        line.pop_back();
        line += ',';
        line.append(body, 1);
    }
    line += '\n';
    file.Append(line);
}

bool TranscriptEnabled()
{
    const char* path = std::getenv("STMTPORT_UI_LOG");
    return path != nullptr && *path != '\0';
}

}  // namespace host
