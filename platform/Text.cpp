#include "platform/Text.h"

#include <locale.h>
#include <strings.h>
#include <wctype.h>

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

bool InRange(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

struct HalfWidthEntry {
  char16_t full;
  char16_t half;
  char16_t mark;  // the voiced or semi-voiced sound mark that follows, or 0
};

// Sorted by the full-width character. Full-width ASCII (U+FF01-FF5E) and the
// ideographic space are arithmetic and not listed. Small ヮ, ヵ, ヶ and ヰ, ヱ
// (with their voiced ヸ, ヹ) have no half-width form and stay as they are.
constexpr HalfWidthEntry kHalfWidth[] = {
    {0x3001, 0xFF64, 0x0000}, {0x3002, 0xFF61, 0x0000}, {0x300C, 0xFF62, 0x0000}, {0x300D, 0xFF63, 0x0000},
    {0x3099, 0xFF9E, 0x0000}, {0x309A, 0xFF9F, 0x0000}, {0x309B, 0xFF9E, 0x0000}, {0x309C, 0xFF9F, 0x0000},
    {0x30A1, 0xFF67, 0x0000}, {0x30A2, 0xFF71, 0x0000}, {0x30A3, 0xFF68, 0x0000}, {0x30A4, 0xFF72, 0x0000},
    {0x30A5, 0xFF69, 0x0000}, {0x30A6, 0xFF73, 0x0000}, {0x30A7, 0xFF6A, 0x0000}, {0x30A8, 0xFF74, 0x0000},
    {0x30A9, 0xFF6B, 0x0000}, {0x30AA, 0xFF75, 0x0000}, {0x30AB, 0xFF76, 0x0000}, {0x30AC, 0xFF76, 0xFF9E},
    {0x30AD, 0xFF77, 0x0000}, {0x30AE, 0xFF77, 0xFF9E}, {0x30AF, 0xFF78, 0x0000}, {0x30B0, 0xFF78, 0xFF9E},
    {0x30B1, 0xFF79, 0x0000}, {0x30B2, 0xFF79, 0xFF9E}, {0x30B3, 0xFF7A, 0x0000}, {0x30B4, 0xFF7A, 0xFF9E},
    {0x30B5, 0xFF7B, 0x0000}, {0x30B6, 0xFF7B, 0xFF9E}, {0x30B7, 0xFF7C, 0x0000}, {0x30B8, 0xFF7C, 0xFF9E},
    {0x30B9, 0xFF7D, 0x0000}, {0x30BA, 0xFF7D, 0xFF9E}, {0x30BB, 0xFF7E, 0x0000}, {0x30BC, 0xFF7E, 0xFF9E},
    {0x30BD, 0xFF7F, 0x0000}, {0x30BE, 0xFF7F, 0xFF9E}, {0x30BF, 0xFF80, 0x0000}, {0x30C0, 0xFF80, 0xFF9E},
    {0x30C1, 0xFF81, 0x0000}, {0x30C2, 0xFF81, 0xFF9E}, {0x30C3, 0xFF6F, 0x0000}, {0x30C4, 0xFF82, 0x0000},
    {0x30C5, 0xFF82, 0xFF9E}, {0x30C6, 0xFF83, 0x0000}, {0x30C7, 0xFF83, 0xFF9E}, {0x30C8, 0xFF84, 0x0000},
    {0x30C9, 0xFF84, 0xFF9E}, {0x30CA, 0xFF85, 0x0000}, {0x30CB, 0xFF86, 0x0000}, {0x30CC, 0xFF87, 0x0000},
    {0x30CD, 0xFF88, 0x0000}, {0x30CE, 0xFF89, 0x0000}, {0x30CF, 0xFF8A, 0x0000}, {0x30D0, 0xFF8A, 0xFF9E},
    {0x30D1, 0xFF8A, 0xFF9F}, {0x30D2, 0xFF8B, 0x0000}, {0x30D3, 0xFF8B, 0xFF9E}, {0x30D4, 0xFF8B, 0xFF9F},
    {0x30D5, 0xFF8C, 0x0000}, {0x30D6, 0xFF8C, 0xFF9E}, {0x30D7, 0xFF8C, 0xFF9F}, {0x30D8, 0xFF8D, 0x0000},
    {0x30D9, 0xFF8D, 0xFF9E}, {0x30DA, 0xFF8D, 0xFF9F}, {0x30DB, 0xFF8E, 0x0000}, {0x30DC, 0xFF8E, 0xFF9E},
    {0x30DD, 0xFF8E, 0xFF9F}, {0x30DE, 0xFF8F, 0x0000}, {0x30DF, 0xFF90, 0x0000}, {0x30E0, 0xFF91, 0x0000},
    {0x30E1, 0xFF92, 0x0000}, {0x30E2, 0xFF93, 0x0000}, {0x30E3, 0xFF6C, 0x0000}, {0x30E4, 0xFF94, 0x0000},
    {0x30E5, 0xFF6D, 0x0000}, {0x30E6, 0xFF95, 0x0000}, {0x30E7, 0xFF6E, 0x0000}, {0x30E8, 0xFF96, 0x0000},
    {0x30E9, 0xFF97, 0x0000}, {0x30EA, 0xFF98, 0x0000}, {0x30EB, 0xFF99, 0x0000}, {0x30EC, 0xFF9A, 0x0000},
    {0x30ED, 0xFF9B, 0x0000}, {0x30EF, 0xFF9C, 0x0000}, {0x30F2, 0xFF66, 0x0000}, {0x30F3, 0xFF9D, 0x0000},
    {0x30F4, 0xFF73, 0xFF9E}, {0x30F7, 0xFF9C, 0xFF9E}, {0x30FA, 0xFF66, 0xFF9E}, {0x30FB, 0xFF65, 0x0000},
    {0x30FC, 0xFF70, 0x0000}, {0xFF5F, 0x2985, 0x0000}, {0xFF60, 0x2986, 0x0000}, {0xFFE0, 0x00A2, 0x0000},
    {0xFFE1, 0x00A3, 0x0000}, {0xFFE2, 0x00AC, 0x0000}, {0xFFE3, 0x00AF, 0x0000}, {0xFFE4, 0x00A6, 0x0000},
    {0xFFE5, 0x00A5, 0x0000}, {0xFFE6, 0x20A9, 0x0000},
};

// Appends the half-width form of cp; false when it has none.
bool AppendHalfWidth(std::u16string& out, char32_t cp) {
  if (cp >= 0xFF01 && cp <= 0xFF5E) {
    out.push_back(static_cast<char16_t>(cp - 0xFEE0));
    return true;
  }
  if (cp == 0x3000) {
    out.push_back(u' ');
    return true;
  }
  const auto it = std::lower_bound(std::begin(kHalfWidth), std::end(kHalfWidth), cp,
                                   [](const HalfWidthEntry& e, char32_t c) { return e.full < c; });
  if (it == std::end(kHalfWidth) || it->full != cp) return false;
  out.push_back(it->half);
  if (it->mark) out.push_back(it->mark);
  return true;
}

// Unicode character classes from the C library's UTF-8 locale, apart from
// the process locale. Null where the C library has none: ASCII rules then.
locale_t Utf8Classes() {
  static const locale_t loc = [] {
    locale_t l = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l ? l : ::newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
  }();
  return loc;
}

bool IsAsciiAlpha(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool IsFullWidthDigit(char32_t c) { return c >= 0xFF10 && c <= 0xFF19; }

}  // namespace

bool IsCharAlpha(char32_t cp) {
  if (cp < 0x80) return IsAsciiAlpha(cp);
  if (IsFullWidthDigit(cp)) return false;
  const locale_t loc = Utf8Classes();
  return loc && ::iswalpha_l(static_cast<wint_t>(cp), loc);
}

bool IsCharAlphaNumeric(char32_t cp) {
  if (cp < 0x80) return IsAsciiAlpha(cp) || IsAsciiDigit(cp);
  if (IsFullWidthDigit(cp)) return true;
  const locale_t loc = Utf8Classes();
  return loc && ::iswalnum_l(static_cast<wint_t>(cp), loc);
}

int CompareNoCase(const char* a, const char* b, std::size_t n) { return ::strncasecmp(a, b, n); }

bool NextCodePoint(std::string_view s, std::size_t& pos, char32_t& cp) {
  if (pos >= s.size()) return false;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(pos);
  if (b0 < 0x80) {
    cp = b0;
    ++pos;
    return true;
  }
  // Length and the allowed range of the second byte, which rules out
  // overlong forms, surrogates and values above U+10FFFF.
  std::size_t len;
  unsigned lo = 0x80, hi = 0xBF;
  if (InRange(b0, 0xC2, 0xDF)) {
    len = 2;
  } else if (InRange(b0, 0xE0, 0xEF)) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (InRange(b0, 0xF0, 0xF4)) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    cp = kReplacementChar;
    ++pos;
    return true;
  }
  char32_t value = b0 & (0xFF >> (len + 1));
  for (std::size_t i = 1; i < len; ++i) {
    const bool ok = pos + i < s.size() && InRange(byte(pos + i), i == 1 ? lo : 0x80, i == 1 ? hi : 0xBF);
    if (!ok) {
      cp = kReplacementChar;
      pos += i;
      return true;
    }
    value = (value << 6) | (byte(pos + i) & 0x3F);
  }
  cp = value;
  pos += len;
  return true;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  char32_t cp;
  while (pos < text.size()) {
    const std::size_t start = pos;
    NextCodePoint(text, pos, cp);
    // A U+FFFD that stands in the text is fine; one made for bad input is not.
    if (cp == kReplacementChar && text.substr(start, pos - start) != "\xEF\xBF\xBD") return false;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string ToValidUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  std::size_t pos = 0;
  char32_t cp;
  while (NextCodePoint(text, pos, cp)) AppendUtf8(out, cp);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  char32_t cp;
  while (NextCodePoint(utf8, pos, cp)) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(out, cp);  // a lone surrogate becomes U+FFFD there
  }
  return out;
}

bool IsFullWidthChar(char32_t cp) {
  if (cp < 0xA0) return false;                     // ASCII and controls
  if (cp >= 0xFF61 && cp <= 0xFFDC) return false;  // half-width katakana and hangul
  if (cp >= 0xFFE8 && cp <= 0xFFEE) return false;  // half-width signs
  return true;
}

std::u16string ToHalfWidth(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text)
    if (!AppendHalfWidth(out, c)) out.push_back(c);
  return out;
}

std::string ToHalfWidth(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  char32_t cp;
  std::u16string half;
  while (NextCodePoint(utf8, pos, cp)) {
    half.clear();
    if (!AppendHalfWidth(half, cp)) {
      AppendUtf8(out, cp);
      continue;
    }
    for (char16_t h : half) AppendUtf8(out, h);
  }
  return out;
}

namespace {
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

std::string_view TrimBlanks(std::string_view text) {
  for (;;) {
    if (text.starts_with(' ')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else if (text.ends_with(' ')) {
      text.remove_suffix(1);
    } else if (text.ends_with(kIdeographicSpace)) {
      text.remove_suffix(kIdeographicSpace.size());
    } else {
      return text;
    }
  }
}
}  // namespace

std::string TrimPastedText(std::string_view utf8) {
  std::string_view text = TrimBlanks(utf8);
  if (text.ends_with("\r\n")) {
    text.remove_suffix(2);
  } else if (text.ends_with('\n') || text.ends_with('\r')) {
    text.remove_suffix(1);
  }
  return std::string(TrimBlanks(text));
}

}  // namespace platform
