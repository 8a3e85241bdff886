// Reply lines of "RD SYS" and "MAIL DSP" as a garbled or hostile logger might
// send them: each input is a batch of lines fed into one pair of records.
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/ComCtrlKestrix2.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/ReplyParse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CKX2SysInfo info;
  CKX2MailInfo mail;
  std::string key, value;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    SplitKeyValue(text.substr(begin, end - begin), key, value);
    // Known key or not, all that counts here is that no line breaks a record.
    static_cast<void>(CComCtrlKestrix2::ParseSysItem(info, key.c_str(), value.c_str()));
    static_cast<void>(CComCtrlKestrix2::ParseMailItem(mail, key.c_str(), value.c_str()));
    begin = end + 1;
  }
  // The texts must stay terminated whatever came in.
  if (info.m_szBuild[CKX2SysInfo::kTextSize - 1] != '\0' || info.m_szSerial[CKX2SysInfo::kTextSize - 1] != '\0') {
    __builtin_trap();
  }
  // What the pages and the measurement write do with a freshly read record.
  CKX2SysInfo copy;
  copy = info;
  copy.m_stStart.GetTime();
  copy.m_stClock.GetTime();
  copy.m_stNext.GetTime();
  return 0;
}
