#pragma once
// The protocol class of the Kestrix2 logger family: the variant check, the
// logger's own setting commands, the multi-line exchanges, and the parsers of
// the system and network replies (ComCtrlKestrix2Parse.cpp).

#include <cstdint>
#include <string>
#include <vector>

#include "link/ComCtrlBase.h"

class CKX2SysInfo;
class CKX2MailInfo;

class CComCtrlKestrix2 : public CComCtrlBase {
 public:
  CComCtrlKestrix2();
  ~CComCtrlKestrix2() override;

  bool IsTargetModel(const char* identification) override;

  virtual int32_t SetBatteryAlarm(CRSPort* port, int32_t millivolts);
  virtual int32_t SetRssValue(CRSPort* port, int32_t value);
  virtual int32_t SetAverage(CRSPort* port, int32_t value);
  virtual int32_t SetCalibration(CRSPort* port, const char* text);
  virtual int32_t ClearRain(CRSPort* port);
  virtual int32_t SetRainAlarm(CRSPort* port, int32_t number, const char* criteria);
  virtual int32_t EnableRainAlarm(CRSPort* port, int32_t number, int32_t on);

  // Multi-line exchanges.
  int32_t QueryLines(CRSPort* port, const char* command, std::vector<std::string>* lines, uint32_t overallMs);
  int32_t StartReadAll(CRSPort* port, int32_t start, int32_t count);
  // 5 with a data line in text, 6 at the end marker, 1 with no line. At
  // the end marker, endMarker (when given) gets kOk for "YES END" (the
  // logger sent everything asked for) or kNotEnd for "NOT END" and "NG"
  // (it stopped early: on an ESC, or giving up by itself).
  int32_t ReadDataLine(CRSPort* port, std::string& text, int32_t* endMarker = nullptr);
  int32_t ReadErrorLog(CRSPort* port, std::vector<std::string>& lines);
  int32_t InitMail(CRSPort* port, const char* profile);
  int32_t ReadImei(CRSPort* port, char* digits /* room for 49 digits and a NUL */);
  int32_t SendWeep(CRSPort* port);
  int32_t WaitSleep(CRSPort* port, int32_t n);
  int32_t SendAndWait(CRSPort* port, const char* command, const char* expected, int32_t n);
  static int32_t SplitCsvLine(std::vector<std::string>& list, const char* line);

  // Reply parsing (ComCtrlKestrix2Parse.cpp).
  int32_t ReadSysInfo(CRSPort* port, CKX2SysInfo& info);
  static int32_t ParseSysItem(CKX2SysInfo& info, const char* key, const char* value);
  static int32_t ParseMailItem(CKX2MailInfo& info, const char* key, const char* value);
};
