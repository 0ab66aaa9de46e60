// A small JSON reader: enough for the transcript's objects, arrays, texts, integers and booleans.
#include "TranscriptLog.h"

#include <gtest/gtest.h>

#include <fstream>

namespace uitest {
namespace {

const Json nullValue;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool ParseDocument(Json& out)
    {
        if (!ParseValue(out))
            return false;
        SkipBlanks();
        return pos_ == text_.size();
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool Take(char ch)
    {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ch) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool TakeWord(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code)
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

    bool ParseHex4(unsigned& code)
    {
        if (pos_ + 4 > text_.size())
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            char ch = text_[pos_++];
            code <<= 4;
            if (ch >= '0' && ch <= '9')
                code |= static_cast<unsigned>(ch - '0');
            else if (ch >= 'a' && ch <= 'f')
                code |= static_cast<unsigned>(ch - 'a' + 10);
            else if (ch >= 'A' && ch <= 'F')
                code |= static_cast<unsigned>(ch - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    bool ParseString(std::string& out)
    {
        if (!Take('"'))
            return false;
        while (pos_ < text_.size()) {
            char ch = text_[pos_++];
            if (ch == '"')
                return true;
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (pos_ >= text_.size())
                return false;
            char escape = text_[pos_++];
            switch (escape) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned code = 0;
                if (!ParseHex4(code))
                    return false;
                if (code >= 0xD800 && code < 0xDC00 && TakeWord("\\u")) {
                    unsigned low = 0;
                    if (!ParseHex4(low))
                        return false;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(out, code);
                break;
            }
            default: out += escape; break;
            }
        }
        return false;
    }

    bool ParseValue(Json& out)
    {
        SkipBlanks();
        if (pos_ >= text_.size())
            return false;
        char ch = text_[pos_];
        if (ch == '{') {
            out.kind = Json::Object;
            ++pos_;
            if (Take('}'))
                return true;
            do {
                std::string key;
                Json value;
                if (!ParseString(key) || !Take(':') || !ParseValue(value))
                    return false;
                out.members.emplace_back(std::move(key), std::move(value));
            } while (Take(','));
            return Take('}');
        }
        if (ch == '[') {
            out.kind = Json::Array;
            ++pos_;
            if (Take(']'))
                return true;
            do {
                Json value;
                if (!ParseValue(value))
                    return false;
                out.items.push_back(std::move(value));
            } while (Take(','));
            return Take(']');
        }
        if (ch == '"') {
            out.kind = Json::Text;
            return ParseString(out.text);
        }
        if (TakeWord("true")) {
            out.kind = Json::Bool;
            out.boolean = true;
            return true;
        }
        if (TakeWord("false")) {
            out.kind = Json::Bool;
            return true;
        }
        if (TakeWord("null"))
            return true;
        size_t start = pos_;
        if (text_[pos_] == '-')
            ++pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (pos_ == start)
            return false;
        out.kind = Json::Number;
        out.number = std::stoll(std::string(text_.substr(start, pos_ - start)));
        return true;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

const Json& Json::operator[](std::string_view key) const
{
    for (const auto& member : members) {
        if (member.first == key)
            return member.second;
    }
    return nullValue;
}

const Json& Json::operator[](size_t index) const
{
    return index < items.size() ? items[index] : nullValue;
}

bool Json::Has(std::string_view key) const
{
    for (const auto& member : members) {
        if (member.first == key)
            return true;
    }
    return false;
}

std::vector<Json> ReadTranscript(const std::string& hostPath)
{
    std::vector<Json> events;
    std::ifstream in(hostPath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        Json value;
        if (!Parser(line).ParseDocument(value)) {
            ADD_FAILURE() << "transcript line is no JSON: " << line;
            continue;
        }
        events.push_back(std::move(value));
    }
    return events;
}

const Json& ControlOf(const Json& dialogEvent, int id)
{
    for (const Json& control : dialogEvent["controls"].items) {
        if (control["id"].number == id)
            return control;
    }
    return nullValue;
}

}  // namespace uitest
