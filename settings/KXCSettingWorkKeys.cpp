// The settings file's lines: a key's value, a date-time, comma fields.
#include <string>
#include <string_view>
#include <vector>

#include "link/SdlTime.h"
#include "platform/Numbers.h"
#include "settings/KXCSettingWork.h"

namespace {

// Up to three fields of a date or time part; runs of separators count as one.
void SplitDateFields(std::string_view part, std::string (&fields)[3]) {
  constexpr std::string_view kSeparators = "-/:_";
  std::size_t pos = 0;
  for (std::string& field : fields) {
    pos = part.find_first_not_of(kSeparators, pos);
    if (pos == std::string_view::npos) return;
    const std::size_t end = part.find_first_of(kSeparators, pos);
    field = part.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end;
  }
}

}  // namespace

// Keys count only at the start of a line: a value (a password, say) that
// holds "KEY," must not set another item. Lines end at CR LF, LF or CR, so a
// file edited on any system reads alike.
int CKXCSettingWork::GetKeyValue(std::string_view text, std::string_view key, std::string& value) {
  value.clear();
  std::size_t pos = 0;
  for (;;) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    const std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == ',') {
      value = line.substr(key.size() + 1);
      return static_cast<int>(value.size());
    }
    if (end == std::string_view::npos) return -1;
    pos = end + 1;
  }
}

bool CKXCSettingWork::ParseDateTime(CSdlTime& time, std::string_view value) {
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const std::size_t blank = value.find(' ', first);
  if (blank == std::string_view::npos || blank + 1 == value.size()) return false;
  std::string date[3], clock[3];
  SplitDateFields(value.substr(first, blank - first), date);
  SplitDateFields(value.substr(blank + 1), clock);
  time.m_nYear = platform::AtoI(date[0].c_str());
  time.m_nMonth = platform::AtoI(date[1].c_str());
  time.m_nDay = platform::AtoI(date[2].c_str());
  time.m_nHour = platform::AtoI(clock[0].c_str());
  time.m_nMinute = platform::AtoI(clock[1].c_str());
  time.m_nSecond = platform::AtoI(clock[2].c_str());
  return true;
}

int CKXCSettingWork::SplitComma(std::vector<std::string>& list, std::string_view text) {
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t comma = text.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    if (end > pos) list.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return static_cast<int>(list.size());
}
