// The system locale (Japanese) and the mapping between half-width and full-width forms.
#include <cstring>
#include <memory>
#include <string>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include "host/Codepage.h"
#include "windows.h"

namespace {

constexpr LCID kJapanese = 0x0411;
constexpr DWORD kErrorInsufficientBuffer = 122;
constexpr DWORD kErrorInvalidFlags = 1004;
constexpr DWORD kErrorNotSupported = 50;

icu::Transliterator* Transliterator(bool toFullWidth)
{
    static auto create = [](const char* id) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> result(
            icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(id), UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(result) : nullptr;
    };
    static std::unique_ptr<icu::Transliterator> full = create("Halfwidth-Fullwidth");
    static std::unique_ptr<icu::Transliterator> half = create("Fullwidth-Halfwidth");
    return toFullWidth ? full.get() : half.get();
}

bool IsHalfWidthKatakana(unsigned char byte) { return byte >= 0xA6 && byte <= 0xDD; }
bool IsSoundMark(unsigned char byte) { return byte == 0xDE || byte == 0xDF; }

// One character mapped: "ｶﾞ" -> "ガ". A result without a CP932 form keeps the original bytes.
std::string MapUnit(std::string_view unit, icu::Transliterator& transliterator, bool toFullWidth)
{
    std::string utf8 = host::Cp932ToUtf8(unit);
    if (unit == std::string_view("\0", 1) || utf8.find("\xEF\xBF\xBD") != std::string::npos) {
        return std::string(unit);
    }
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
    transliterator.transliterate(text);
    if (toFullWidth) {
        // A sound mark that joins no katakana stands alone, as the spacing ゛ and ゜.
        text.findAndReplace(icu::UnicodeString(static_cast<UChar>(0x3099)), icu::UnicodeString(static_cast<UChar>(0x309B)));
        text.findAndReplace(icu::UnicodeString(static_cast<UChar>(0x309A)), icu::UnicodeString(static_cast<UChar>(0x309C)));
    }
    std::string mapped;
    text.toUTF8String(mapped);
    std::optional<std::string> cp932 = host::Utf8ToCp932Exact(mapped);
    return cp932 ? *cp932 : std::string(unit);
}

}  // namespace

LCID GetSystemDefaultLCID()
{
    return kJapanese;
}

int LCMapStringA(LCID, DWORD flags, LPCSTR source, int sourceLength, LPSTR destination, int destinationLength)
{
    if (source == nullptr || sourceLength == 0 || sourceLength < -1 || destinationLength < 0 ||
        (destinationLength > 0 && destination == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (flags != LCMAP_FULLWIDTH && flags != LCMAP_HALFWIDTH) {
        SetLastError(kErrorInvalidFlags);
        return 0;
    }
    bool toFullWidth = flags == LCMAP_FULLWIDTH;
    icu::Transliterator* transliterator = Transliterator(toFullWidth);
    if (transliterator == nullptr) {
        SetLastError(kErrorNotSupported);
        return 0;
    }
    // A length of -1 takes the text with its terminating NUL, which is mapped and counted too.
    std::string_view text(source, sourceLength == -1 ? std::strlen(source) + 1 : static_cast<size_t>(sourceLength));
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t length = host::Cp932CharLength(text, i);
        if (toFullWidth && length == 1 && IsHalfWidthKatakana(static_cast<unsigned char>(text[i])) &&
            i + 1 < text.size() && IsSoundMark(static_cast<unsigned char>(text[i + 1]))) {
            length = 2;
        }
        out += MapUnit(text.substr(i, length), *transliterator, toFullWidth);
        i += length;
    }
    if (destinationLength == 0) {
        return static_cast<int>(out.size());
    }
    if (out.size() > static_cast<size_t>(destinationLength)) {
        SetLastError(kErrorInsufficientBuffer);
        return 0;
    }
    std::memcpy(destination, out.data(), out.size());
    return static_cast<int>(out.size());
}
