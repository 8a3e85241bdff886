#pragma once
// Small text helpers of the simulator. The logger formats and parses numbers
// with a full stop whatever the locale of the process that hosts it, so
// floating-point values go through to_chars/from_chars, never printf.

#include <string>
#include <vector>

namespace sim {

std::string FormatFixed(double value, int decimals);
// Whole text must be a number ("1.5", "-2", "0.50"); false otherwise.
bool ParseDouble(const std::string& text, double* value);
bool ParseInt(const std::string& text, int* value);
std::string ToUpper(std::string text);
// Blank-separated tokens; runs of blanks count as one.
std::vector<std::string> SplitBlanks(const std::string& text);
// "D%02dH%02dM%02dS%02d" of a number of seconds.
std::string FormatDuration(int seconds);
// Strict inverse of FormatDuration; false for any other form or a field out of range.
bool ParseDuration(const std::string& text, int* seconds);
// "H:MM" of a number of minutes, negative values with a leading minus.
std::string FormatHourMinutes(int minutes);
bool ParseHourMinutes(const std::string& text, int* minutes);

}  // namespace sim
