// Turns the texts of the settings file and the settings dialog into setting values.
#pragma once

#include <cstdint>

// The leading-integer rule: leading whitespace skipped, an optional "+" or "-",
// then decimal digits up to the first non-digit; no digit gives 0. Digits beyond
// the 32-bit range saturate at its limit.
int32_t LeadingInteger(const char* text);

// What the settings dialog stores for each field's text.
int32_t CountFromText(const char* text);  // held to CountRange
int32_t TimeFromText(const char* text);   // in tenths, held to TimeRange; the decimal digits read exactly
int32_t TriesFromText(const char* text);  // held to TriesRange
int32_t ColorFromText(const char* text);  // 0..15, unchecked beyond the low four bits
int32_t LevelFromText(const char* text);  // 0..15, likewise
