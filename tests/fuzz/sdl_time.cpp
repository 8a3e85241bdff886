// The logger's date-time text, and the conversion of whatever fields a record
// may hold.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "link/SdlTime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CSdlTime t;
  const int32_t parsed = t.SetFromString(text.c_str());
  if (parsed != (std::strlen(text.c_str()) >= 17 ? 1 : 0)) __builtin_trap();
  // Two characters per field can give no more than -9 to 99.
  if (parsed == 1 && (t.m_nYear < 1991 || t.m_nYear > 2099 || t.m_nSecond < -9 || t.m_nSecond > 99)) {
    __builtin_trap();
  }
  t.GetTime();

  // Arbitrary field values, as an edited record or a settings file may hold.
  if (size >= 6 * sizeof(int32_t)) {
    int32_t f[6];
    std::memcpy(f, data, sizeof f);
    CSdlTime u;
    u.m_nYear = f[0];
    u.m_nMonth = f[1];
    u.m_nDay = f[2];
    u.m_nHour = f[3];
    u.m_nMinute = f[4];
    u.m_nSecond = f[5];
    u.GetTime();
  }
  return 0;
}
