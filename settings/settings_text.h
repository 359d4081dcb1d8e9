// Turns the texts of the settings file and the settings dialog into setting values.
#pragma once

#include <cstdint>

// The leading-integer rule: leading whitespace skipped, an optional "+" or "-",
// then decimal digits up to the first non-digit; no digit gives 0. Digits beyond
// the 32-bit range saturate at its limit.
int32_t LeadingInteger(const char* text);

// A decimal number (optional sign, digits, optional point and fraction, optional
// exponent) times ten, truncated toward zero, exactly: "0.3" gives 3, "1.25" gives 12.
// No number, or one that is not finite, gives 0; results beyond 32 bits saturate.
int32_t TenthsFromText(const char* text);

// The low four bits of the first byte; 0 for an empty text.
int32_t LowFourBits(const char* text);

// A value below low becomes low, and after that a value above high becomes high.
int32_t ClampToRange(int32_t value, int32_t low, int32_t high);

// What the settings dialog stores for each field's text.
int32_t CountFromText(const char* text);  // 1..9
int32_t TimeFromText(const char* text);   // 1..30 tenths
int32_t TriesFromText(const char* text);  // 1..10
int32_t ColorFromText(const char* text);  // 0..15, unchecked beyond the low four bits
int32_t LevelFromText(const char* text);  // 0..15, likewise
