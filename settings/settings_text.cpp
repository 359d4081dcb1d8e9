// Turns the texts of the settings file and the settings dialog into setting values.
#include "settings_text.h"

#include <cstdint>

#include "game_state.h"

namespace {

// One past the largest magnitude a 32-bit result can hold (that of INT32_MIN);
// accumulating stops here, so no text can overflow the arithmetic.
constexpr int64_t SaturatedMagnitude = int64_t{INT32_MAX} + 1;

// Exponents beyond this already saturate any non-zero value or truncate it to zero,
// so larger ones are held at it rather than accumulated.
constexpr int64_t ExponentLimit = 1000000000;

// isspace in the "C" locale, without its undefined behaviour for negative chars.
bool IsSpace(char character) {
    return character == ' ' || (character >= '\t' && character <= '\r');
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

const char* SkipSpaces(const char* text) {
    while (IsSpace(*text)) {
        ++text;
    }
    return text;
}

// Reads an optional sign; returns true for "-".
bool ReadSign(const char*& text) {
    if (*text == '+' || *text == '-') {
        return *text++ == '-';
    }
    return false;
}

int64_t AppendDigit(int64_t magnitude, int digit) {
    int64_t next = magnitude * 10 + digit;
    return next > SaturatedMagnitude ? SaturatedMagnitude : next;
}

int32_t SignedFromMagnitude(bool negative, int64_t magnitude) {
    if (negative) {
        return static_cast<int32_t>(-magnitude);  // -SaturatedMagnitude is INT32_MIN
    }
    return static_cast<int32_t>(magnitude > INT32_MAX ? INT32_MAX : magnitude);
}

// The exponent part of a decimal real: "e" or "E", an optional sign, at least one
// digit. Without a digit nothing is consumed and the exponent is 0, as in strtod.
int64_t ReadExponent(const char*& text) {
    if (*text != 'e' && *text != 'E') {
        return 0;
    }
    const char* cursor = text + 1;
    bool negative = ReadSign(cursor);
    if (!IsDigit(*cursor)) {
        return 0;
    }
    int64_t exponent = 0;
    for (; IsDigit(*cursor); ++cursor) {
        exponent = exponent * 10 + (*cursor - '0');
        if (exponent > ExponentLimit) {
            exponent = ExponentLimit;
        }
    }
    text = cursor;
    return negative ? -exponent : exponent;
}

// The magnitude of mantissa × 10^shift truncated to an integer, where the mantissa is
// the digits of [begin, end) with any decimal point left out. Working on the digits
// keeps every tenth that binary floating point would lose.
int64_t ShiftedMagnitude(const char* begin, const char* end, int64_t digitCount, int64_t shift) {
    int64_t keptDigits = digitCount + shift;  // the digits left of the new point
    int64_t magnitude = 0;
    int64_t taken = 0;
    for (const char* cursor = begin; cursor != end && taken < keptDigits; ++cursor) {
        if (IsDigit(*cursor)) {
            magnitude = AppendDigit(magnitude, *cursor - '0');
            ++taken;
        }
    }
    // Zeros the exponent appends; zero stays zero and anything else saturates soon.
    for (; taken < keptDigits && magnitude != 0 && magnitude < SaturatedMagnitude; ++taken) {
        magnitude = AppendDigit(magnitude, 0);
    }
    return magnitude;
}


// A decimal number (optional sign, digits, optional point and fraction, optional
// exponent) times ten, truncated toward zero, exactly: "0.3" gives 3, "1.25" gives 12.
// No number, or one that is not finite, gives 0; results beyond 32 bits saturate.
int32_t TenthsFromText(const char* text) {
    text = SkipSpaces(text);
    bool negative = ReadSign(text);
    const char* mantissa = text;
    int64_t integerDigits = 0;
    int64_t fractionDigits = 0;
    for (; IsDigit(*text); ++text) {
        ++integerDigits;
    }
    if (*text == '.') {
        for (++text; IsDigit(*text); ++text) {
            ++fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0) {
        return 0;  // no number; "inf" and "nan" are not decimal numbers either
    }
    const char* mantissaEnd = text;
    int64_t exponent = ReadExponent(text);
    // Times ten moves the point one place further right.
    int64_t shift = exponent - fractionDigits + 1;
    int64_t magnitude = ShiftedMagnitude(mantissa, mantissaEnd, integerDigits + fractionDigits, shift);
    return SignedFromMagnitude(negative, magnitude);
}

// The low four bits of the first byte; 0 for an empty text.
int32_t LowFourBits(const char* text) {
    return static_cast<unsigned char>(text[0]) & 0x0F;
}

}  // namespace

int32_t LeadingInteger(const char* text) {
    text = SkipSpaces(text);
    bool negative = ReadSign(text);
    int64_t magnitude = 0;
    for (; IsDigit(*text); ++text) {
        magnitude = AppendDigit(magnitude, *text - '0');
    }
    return SignedFromMagnitude(negative, magnitude);
}

int32_t CountFromText(const char* text) {
    return ClampToRange(LeadingInteger(text), CountRange);
}

int32_t TimeFromText(const char* text) {
    return ClampToRange(TenthsFromText(text), TimeRange);
}

int32_t TriesFromText(const char* text) {
    return ClampToRange(LeadingInteger(text), TriesRange);
}

int32_t ColorFromText(const char* text) {
    return LowFourBits(text);
}

int32_t LevelFromText(const char* text) {
    return LowFourBits(text);
}

int32_t ListedEntry(const TextList& list, int32_t code) {
    return code >= 1 && code <= list.count ? code - 1 : list.count - 1;
}

TextId ListedText(const TextList& list, int32_t code) {
    return static_cast<TextId>(list.first + ListedEntry(list, code));
}
