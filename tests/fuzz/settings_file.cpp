// The settings file's reader on arbitrary bytes, and its writer on whatever
// the reader accepted: a record read from a file must write a file that reads
// back to the same record.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "link/SettingWorkData.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingSelect.h"

namespace {

CSettingWorkData Start() {
  CSettingWorkData work;
  CKX2SysInfo& sys = work.m_sysInfo;
  sys.m_dRainPerCount = 0.5;
  sys.m_nBatteryStop = 3600;
  sys.m_stStart.m_nYear = 2027;
  sys.m_stStart.m_nMonth = 3;
  sys.m_stStart.m_nDay = 5;
  sys.m_nSampling = 600;
  sys.m_nSamplingEvent = 60;
  work.m_mailInfo.m_strApn = "apn";
  work.m_mailInfo.m_strImei = "123";
  return work;
}

std::string Write(const CSettingWorkData& work) {
  CSettingSelect select;
  select.Init(0, 1);
  std::tm now{};
  std::string file;
  // Read values come from single lines of a NUL-free text: always writable.
  if (CKXCSettingWork::WriteFileText(work, select, now, file) != CKXCSettingWork::kWriteDone) __builtin_trap();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const CSettingWorkData start = Start();
  CSettingWorkData read = start;
  const CKXCSettingWork::ParseResult result = CKXCSettingWork::ParseFileText(text, read);
  if (result != CKXCSettingWork::kReadDone) {
    if (result != CKXCSettingWork::kReadNoHeader && result != CKXCSettingWork::kReadTooLong) __builtin_trap();
    if (Write(read) != Write(start)) __builtin_trap();  // a refused file changes nothing
    return 0;
  }
  for (int i = 0; i < kSettingItemCount; ++i) {
    const bool fileItem = i == 3 || i == 6 || i == 11 || i == 21 || i == 22;
    if (read.m_flags[i] > 1 || (read.m_flags[i] != 0 && !fileItem)) __builtin_trap();
  }
  CSettingSelect select;
  select.Init(0, 1);
  CKXCSettingWork::KeepReadItems(select, read);

  const std::string once = Write(read);
  CSettingWorkData again = start;
  if (CKXCSettingWork::ParseFileText(once, again) != CKXCSettingWork::kReadDone) __builtin_trap();
  if (Write(again) != once) __builtin_trap();
  return 0;
}
