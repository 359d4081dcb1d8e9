// Turns the texts of the settings file and the settings dialog into setting values.
#pragma once

#include <cstdint>

#include "player_texts.h"

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

// The settings dialog's two lists of texts, their items in code order from code 1.
struct TextList {
    TextId first;
    int32_t count;
};
constexpr TextList ColorItemList = {WhiteColorItem, PinkColorItem - WhiteColorItem + 1};
constexpr TextList LevelItemList = {BeginnerLevelItem, AdvancedLevelItem - BeginnerLevelItem + 1};
// The entry, from 0, that a code shows as: every code outside the list shows as its last entry.
int32_t ListedEntry(const TextList& list, int32_t code);
// The text of that entry.
TextId ListedText(const TextList& list, int32_t code);
