#pragma once
// Text helpers of the core. Protocol text is 8-bit bytes; user-interface text
// is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Compares at most n characters of two NUL-terminated 8-bit texts without
// regard to case (ASCII letters); <0, 0, >0 as strncmp.
int CompareNoCase(const char* a, const char* b, std::size_t n);

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at pos and moves pos past it. An ill-formed
// sequence gives U+FFFD and moves past its longest valid-looking start (at
// least one byte), so every byte is accounted for. False at the end.
bool NextCodePoint(std::string_view utf8, std::size_t& pos, char32_t& cp);

bool IsValidUtf8(std::string_view text);
// The text with every ill-formed sequence replaced by U+FFFD: logger text of
// unknown encoding is shown, never dropped.
std::string ToValidUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t cp);

// Ill-formed input (bytes, or unpaired surrogates) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// True for a character that a half-width-only field refuses as typed: the
// full-width forms, the ideographic space, kana and ideographs, and any other
// character that would take two bytes in a Japanese double-byte code page.
// ASCII and the half-width forms (katakana U+FF61-FF9F and the rest of the
// half-width block) are not.
bool IsFullWidthChar(char32_t cp);

// Letter and letter-or-digit tests of a character in any script, whatever
// the process locale (the user-interface toolkit sets it from the
// environment). Full-width digits count as digits, not letters.
bool IsCharAlpha(char32_t cp);
bool IsCharAlphaNumeric(char32_t cp);

// Half-width forms of the full-width characters: full-width ASCII, the
// ideographic space, katakana (a voiced or semi-voiced one becomes two
// characters, the base and its mark), Japanese punctuation and the
// full-width currency and sign characters. Everything else is kept.
std::u16string ToHalfWidth(std::u16string_view text);
std::string ToHalfWidth(std::string_view utf8);

// A pasted value as a one-line field takes it: blanks (U+0020 and the
// ideographic space U+3000) dropped at either end, and one line end (CR LF,
// LF or CR) at the end, as a copy of a terminal line, a line of a text file
// or a spreadsheet cell brings them. Anything else stays, so a value that
// holds a blank or a second line is still refused whole by its field.
std::string TrimPastedText(std::string_view utf8);

}  // namespace platform
