#pragma once
// The protocol class of the Kestrix2 logger family: the variant check, the
// logger's own setting commands, the multi-line exchanges, and the parsers of
// the system and network replies (ComCtrlKestrix2Parse.cpp).

#include <cstdint>
#include <string>
#include <vector>

#include "link/ComCtrlBase.h"
#include "link/KeyParse.h"

class CKX2SysInfo;
class CKX2MailInfo;

class CComCtrlKestrix2 : public CComCtrlBase {
 public:
  CComCtrlKestrix2();
  ~CComCtrlKestrix2() override;

  bool IsTargetModel(const char* identification) override;

  virtual ComResult SetBatteryAlarm(CRSPort* port, int32_t millivolts);
  virtual ComResult SetRssValue(CRSPort* port, int32_t value);
  virtual ComResult SetAverage(CRSPort* port, int32_t value);
  virtual ComResult SetCalibration(CRSPort* port, const char* text);
  virtual ComResult ClearRain(CRSPort* port);
  virtual ComResult SetRainAlarm(CRSPort* port, int32_t number, const char* criteria);
  virtual ComResult EnableRainAlarm(CRSPort* port, int32_t number, int32_t on);

  // Multi-line exchanges.
  ComResult QueryLines(CRSPort* port, const char* command, std::vector<std::string>* lines, uint32_t overallMs);
  ComResult StartReadAll(CRSPort* port, int32_t start, int32_t count);
  // 5 with a data line in text, 6 at the end marker, 1 with no line. At
  // the end marker, endMarker (when given) gets kOk for "YES END" (the
  // logger sent everything asked for) or kNotEnd for "NOT END" and "NG"
  // (it stopped early: on an ESC, or giving up by itself).
  ComResult ReadDataLine(CRSPort* port, std::string& text, ComResult* endMarker = nullptr);
  ComResult ReadErrorLog(CRSPort* port, std::vector<std::string>& lines);
  ComResult InitMail(CRSPort* port, const char* profile);
  ComResult ReadImei(CRSPort* port, char* digits /* room for 49 digits and a NUL */);
  ComResult SendWeep(CRSPort* port);
  ComResult WaitSleep(CRSPort* port, int32_t n);
  ComResult SendAndWait(CRSPort* port, const char* command, const char* expected, int32_t n);
  static int32_t SplitCsvLine(std::vector<std::string>& list, const char* line);

  // Reply parsing (ComCtrlKestrix2Parse.cpp). ReadSysInfo gives kOtherReply
  // for an answer that is unusable: a line read as a number came without
  // one (SysValueUsable false), and nothing is applied.
  ComResult ReadSysInfo(CRSPort* port, CKX2SysInfo& info);
  static bool SysValueUsable(const char* key, const char* value);
  static KeyParse ParseSysItem(CKX2SysInfo& info, const char* key, const char* value);
  static KeyParse ParseMailItem(CKX2MailInfo& info, const char* key, const char* value);
};
