// A small JSON reader for the programs' transcripts.
#include "Json.h"

#include <fstream>

#include <gtest/gtest.h>

namespace e2e {

namespace {

class Parser {
public:
    explicit Parser(std::string_view source) : s_(source) {}

    std::optional<Json> Document()
    {
        Json value;
        if (!Value(value))
            return std::nullopt;
        SkipBlanks();
        if (pos_ != s_.size())
            return std::nullopt;
        return value;
    }

private:
    void SkipBlanks()
    {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n'))
            ++pos_;
    }

    bool Literal(std::string_view word)
    {
        if (s_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    static void AppendUtf8(std::string& out, uint32_t code)
    {
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

    bool Hex4(uint32_t& code)
    {
        if (pos_ + 4 > s_.size())
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = s_[pos_++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= static_cast<uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= static_cast<uint32_t>(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    bool StringBody(std::string& out)
    {
        ++pos_;   // the opening quote
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size())
                return false;
            const char escape = s_[pos_++];
            switch (escape) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                uint32_t code = 0;
                if (!Hex4(code))
                    return false;
                if (code >= 0xD800 && code < 0xDC00 && Literal("\\u")) {
                    uint32_t low = 0;
                    if (!Hex4(low))
                        return false;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }

    bool NumberBody(Json& value)
    {
        const size_t start = pos_;
        if (s_[pos_] == '-')
            ++pos_;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
            ++pos_;
        if (pos_ == start || (pos_ == start + 1 && s_[start] == '-'))
            return false;
        value.kind = Json::Number;
        value.number = std::stoll(std::string(s_.substr(start, pos_ - start)));
        return true;
    }

    bool Value(Json& value)
    {
        SkipBlanks();
        if (pos_ >= s_.size())
            return false;
        const char c = s_[pos_];
        if (c == '{') {
            value.kind = Json::Object;
            ++pos_;
            SkipBlanks();
            if (pos_ < s_.size() && s_[pos_] == '}') {
                ++pos_;
                return true;
            }
            for (;;) {
                SkipBlanks();
                std::string key;
                if (pos_ >= s_.size() || s_[pos_] != '"' || !StringBody(key))
                    return false;
                SkipBlanks();
                if (!Literal(":"))
                    return false;
                Json member;
                if (!Value(member))
                    return false;
                value.members.emplace_back(std::move(key), std::move(member));
                SkipBlanks();
                if (Literal("}"))
                    return true;
                if (!Literal(","))
                    return false;
            }
        }
        if (c == '[') {
            value.kind = Json::Array;
            ++pos_;
            SkipBlanks();
            if (Literal("]"))
                return true;
            for (;;) {
                Json item;
                if (!Value(item))
                    return false;
                value.items.push_back(std::move(item));
                SkipBlanks();
                if (Literal("]"))
                    return true;
                if (!Literal(","))
                    return false;
            }
        }
        if (c == '"') {
            value.kind = Json::String;
            return StringBody(value.text);
        }
        if (Literal("true")) {
            value.kind = Json::Bool;
            value.boolean = true;
            return true;
        }
        if (Literal("false")) {
            value.kind = Json::Bool;
            return true;
        }
        if (Literal("null"))
            return true;
        return NumberBody(value);
    }

    std::string_view s_;
    size_t pos_ = 0;
};

}  // namespace

const Json* Json::Find(std::string_view key) const
{
    for (const auto& [name, value] : members) {
        if (name == key)
            return &value;
    }
    return nullptr;
}

std::string Json::Text(std::string_view key) const
{
    const Json* member = Find(key);
    return member != nullptr && member->kind == String ? member->text : std::string();
}

int64_t Json::Int(std::string_view key, int64_t fallback) const
{
    const Json* member = Find(key);
    return member != nullptr && member->kind == Number ? member->number : fallback;
}

std::optional<Json> ParseJson(std::string_view source)
{
    return Parser(source).Document();
}

std::vector<Json> ReadJsonLines(const std::string& path)
{
    std::vector<Json> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        std::optional<Json> value = ParseJson(line);
        EXPECT_TRUE(value.has_value()) << "transcript line is no JSON: " << line;
        if (value)
            lines.push_back(std::move(*value));
    }
    return lines;
}

}  // namespace e2e
