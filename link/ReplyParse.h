#pragma once
// Text helpers for the logger's reply lines: the key/value split of a reply
// line, token splitting, and the logger's duration and hour-offset forms.

#include <cstdint>
#include <string>
#include <vector>

// Splits a reply line ("KEY value...") at the first blank after the key.
// Leading blanks are skipped; the value is everything after the one blank that
// ends the key, further blanks included. A blank line gives an empty key.
void SplitKeyValue(const std::string& line, std::string& key, std::string& value);

// Appends the maximal runs of characters not in `delimiters` (a single blank
// when absent) to `list`; returns the number of texts in the list.
int32_t SplitString(std::vector<std::string>& list, const char* source, const char* delimiters = nullptr);

// A duration written with the unit letters D, H, M and S, as in D00H00M10S00,
// in seconds. Digits before the first unit letter count for nothing.
int32_t ParseDuration(const char* text);

// Hours and minutes written H:MM with an optional leading minus sign, in
// minutes ("-0:30" is -30).
int32_t ParseOffsetMinutes(const char* text);
