#pragma once
// Base of the logger's command-and-reply layer: frames commands, writes them
// through the port, reads reply lines from the port's line buffer and turns
// the outcome into a small result code.
//
// Every exchange holds the port lock from the command to its last reply line,
// so exchanges of different threads never interleave. The object keeps no link
// state: every operation takes the port first, and a null port gives
// ComResult::kFailed. The results are those of link/ComResult.h.

#include <cstdint>
#include <string>

#include "link/ComResult.h"
#include "platform/Event.h"

class CRSPort;
class CSdlTime;

class CComCtrlBase {
 public:
  // Reply waits (ms, shortened by the platform time scale in tests). Simple
  // commands get kShortMs; anything that makes the logger touch its flash or
  // its schedule can take much longer. A line that follows at once (the
  // wake-up answer, the next line of a collection) gets kLineMs.
  static constexpr uint32_t kShortMs = 5000;
  static constexpr uint32_t kLongMs = 45000;
  static constexpr uint32_t kLineMs = 2000;

  CComCtrlBase();
  virtual ~CComCtrlBase();

  virtual ComResult WakeUp(CRSPort* port, char* reply, int32_t* length);
  virtual ComResult ResetDevice(CRSPort* port);
  virtual ComResult SetRss(CRSPort* port, int32_t value);
  virtual ComResult SetIdleTime(CRSPort* port, int32_t value);
  virtual ComResult SetSampling(CRSPort* port, int32_t& interval);
  virtual ComResult SetStartTime(CRSPort* port, const CSdlTime& start);
  virtual ComResult StartNow(CRSPort* port);
  virtual ComResult StopMeasure(CRSPort* port, int32_t n);
  virtual ComResult ReadAll(CRSPort* port, int32_t first, int32_t last, char* reply, int32_t size);
  virtual ComResult ReadAllNext(CRSPort* port, char* reply, int32_t size);
  virtual bool IsTargetModel(const char* identification) = 0;
  virtual ComResult ClearData(CRSPort* port, int32_t tries);
  virtual ComResult SendCommand(CRSPort* port, const char* command, uint32_t timeoutMs);
  virtual ComResult SendCommandExpect(CRSPort* port, const char* command, const char* expected, uint32_t timeoutMs);
  virtual ComResult SendCommandCancelable(CRSPort* port, const char* command, platform::Event* cancel,
                                          uint32_t overallMs);
  virtual ComResult SendCommandExpectCancelable(CRSPort* port, const char* command, const char* expected,
                                                platform::Event* cancel, uint32_t overallMs);

  // The identification text as user-interface text (UTF-8; invalid bytes
  // become U+FFFD).
  std::string GetTextField() const;

  // Stored by the device object's wake-up.
  std::string m_strVersion;
  char m_szId[20] = {};
};
