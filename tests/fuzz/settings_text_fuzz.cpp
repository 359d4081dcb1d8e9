// Fuzzes the settings dialog's text conversions: every result in range, and tenths exact for d.d texts.
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings_text.h"

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool IsSpace(char character) {
    return character == ' ' || (character >= '\t' && character <= '\r');
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

// The C library's own reading of a leading integer, held to 32 bits.
int32_t LibraryInteger(const std::string& text) {
    errno = 0;
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// For a text of blanks, a sign, digits, a point and digits (nothing else before the
// first non-digit after them, and no exponent), tenths are the integer digits times
// ten plus the first fraction digit, held to 32 bits. False when the text has another shape.
bool DecimalTenths(const std::string& text, int32_t& tenths) {
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at++] == '-';
    }
    int64_t magnitude = 0;
    size_t digits = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[at] - '0'), int64_t{1} << 40);
    }
    magnitude *= 10;
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (at < text.size() && IsDigit(text[at])) {
            magnitude += text[at] - '0';
        }
        for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
        }
    }
    if (digits == 0 || (at < text.size() && (text[at] == 'e' || text[at] == 'E'))) {
        return false;
    }
    int64_t value = negative ? -magnitude : magnitude;
    tenths = static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    return true;
}

void CheckText(const std::string& text) {
    const char* bytes = text.c_str();
    int32_t count = CountFromText(bytes);
    int32_t time = TimeFromText(bytes);
    int32_t tries = TriesFromText(bytes);
    Require(count >= 1 && count <= 9);
    Require(time >= 1 && time <= 30);
    Require(tries >= 1 && tries <= 10);
    Require(ColorFromText(bytes) >= 0 && ColorFromText(bytes) <= 15);
    Require(LevelFromText(bytes) >= 0 && LevelFromText(bytes) <= 15);

    int32_t integer = LeadingInteger(bytes);
    Require(integer == LibraryInteger(text));
    Require(count == ClampToRange(integer, 1, 9) && tries == ClampToRange(integer, 1, 10));

    int32_t tenths = 0;
    if (DecimalTenths(text, tenths)) {
        Require(TenthsFromText(bytes) == tenths);
    }
    Require(time == ClampToRange(TenthsFromText(bytes), 1, 30));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The dialog hands over zero-terminated texts; a NUL in the input ends the text there.
    std::string text(reinterpret_cast<const char*>(data), size);
    CheckText(text.c_str());
    // Every "%d.%d" text the dialog itself could show, built from the first two bytes.
    if (size >= 2) {
        int whole = data[0] % 100;
        int tenth = data[1] % 10;
        char shown[16];
        std::snprintf(shown, sizeof shown, "%d.%d", whole, tenth);
        Require(TenthsFromText(shown) == whole * 10 + tenth);
        Require(TimeFromText(shown) == ClampToRange(whole * 10 + tenth, 1, 30));
    }
    return 0;
}
