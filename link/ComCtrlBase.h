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
  CComCtrlBase();
  virtual ~CComCtrlBase();  // slot 0

  // The slot order of the virtual operations is part of the design.
  virtual int32_t WakeUp(CRSPort* port, char* reply, int32_t* length);                          // 1
  virtual int32_t ResetDevice(CRSPort* port);                                                   // 2
  virtual int32_t SetRss(CRSPort* port, int32_t value);                                         // 3
  virtual int32_t SetIdleTime(CRSPort* port, int32_t value);                                    // 4
  virtual int32_t SetSampling(CRSPort* port, int32_t& interval);                                // 5
  virtual int32_t SetStartTime(CRSPort* port, const CSdlTime& start);                           // 6
  virtual int32_t StartNow(CRSPort* port);                                                      // 7
  virtual int32_t StopMeasure(CRSPort* port, int32_t n);                                        // 8
  virtual int32_t ReadAll(CRSPort* port, int32_t first, int32_t last, char* reply, int32_t size);  // 9
  virtual int32_t ReadAllNext(CRSPort* port, char* reply, int32_t size);                        // 10
  virtual bool IsTargetModel(const char* identification) = 0;                                   // 11
  virtual int32_t ClearData(CRSPort* port, int32_t tries);                                      // 12
  virtual int32_t SendCommand(CRSPort* port, const char* command, uint32_t timeoutMs);         // 13
  virtual int32_t SendCommandExpect(CRSPort* port, const char* command, const char* expected,
                                    uint32_t timeoutMs);                                        // 14
  virtual int32_t SendCommandCancelable(CRSPort* port, const char* command, platform::Event* cancel,
                                        uint32_t overallMs);                                    // 15
  virtual int32_t SendCommandExpectCancelable(CRSPort* port, const char* command, const char* expected,
                                              platform::Event* cancel, uint32_t overallMs);     // 16

  // The identification text as user-interface text (UTF-8; invalid bytes
  // become U+FFFD).
  std::string GetTextField() const;

  // Stored by the device object's wake-up.
  std::string m_strVersion;
  char m_szId[20] = {};
};
