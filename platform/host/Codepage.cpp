// CP932 <-> UTF-8 through glibc's iconv, replacing what cannot be converted instead of failing.
#include "host/Codepage.h"

#include <cerrno>
#include <iconv.h>

namespace host {
namespace {

const char kReplacement[] = "\xEF\xBF\xBD";   // U+FFFD

// One converter per direction and thread, reset before each text.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (Usable()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns false at a byte sequence it cannot take,
    // leaving `in` at that sequence.
    bool Run(std::string_view& in, std::string& out)
    {
        char buffer[1024];
        while (!in.empty()) {
            char* source = const_cast<char*>(in.data());
            size_t sourceLeft = in.size();
            char* target = buffer;
            size_t targetLeft = sizeof buffer;
            size_t result = iconv(cd_, &source, &sourceLeft, &target, &targetLeft);
            int error = errno;
            out.append(buffer, static_cast<size_t>(target - buffer));
            in.remove_prefix(in.size() - sourceLeft);
            if (result == static_cast<size_t>(-1) && error != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

// Length of the well-formed UTF-8 sequence at the start of `text`, 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char first = byte(0);
    size_t length;
    unsigned minimum;
    unsigned value;
    if (first < 0x80) {
        return 1;
    } else if (first >= 0xC2 && first <= 0xDF) {
        length = 2; minimum = 0x80; value = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3; minimum = 0x800; value = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4; minimum = 0x10000; value = first & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    thread_local Converter converter("UTF-8", "CP932");
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    if (!converter.Usable()) {
        for (char ch : cp932) {
            out += static_cast<unsigned char>(ch) < 0x80 ? std::string(1, ch) : std::string(kReplacement);
        }
        return out;
    }
    while (!converter.Run(cp932, out)) {
        out += kReplacement;
        cp932.remove_prefix(1);
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    if (!converter.Usable()) {
        for (char ch : utf8) {
            out += static_cast<unsigned char>(ch) < 0x80 ? ch : '?';
        }
        return out;
    }
    while (!converter.Run(utf8, out)) {
        size_t length = Utf8SequenceLength(utf8);
        out += '?';
        utf8.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

std::optional<std::string> Utf8ToCp932Exact(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    std::string out;
    if (!converter.Usable() || !converter.Run(utf8, out)) {
        return std::nullopt;
    }
    return out;
}

std::string ValidUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            out += kReplacement;
            length = 1;
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace host
