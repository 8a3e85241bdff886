#pragma once
// The logger device object: the one place through which every logger
// operation goes. It owns the protocol object and the serial port, the
// logger's records as last read and as edited, the texts that report the last
// operation and the logger clock as last read.
//
// Operations run on the worker thread of a background operation; the records
// and texts are read on the user-interface thread once the work has ended.
// Results: those of link/DeviceResult.h; the wake-up and the record reads
// answer a ReadResult, the firmware transfer and the module monitor a
// FirmwareResult.
//
// KX2Device.cpp: connection, reads and results; KX2DeviceWrite.cpp: setting
// writes; KX2DeviceItems.cpp: the one-command setting items and the rain
// count; KX2DeviceRecords.cpp: record download, error log and clear;
// KX2DeviceMail.cpp: the communication module's exchanges;
// KX2DeviceFirmware.cpp: firmware transfer and module monitor.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "link/ComCtrlKestrix2.h"
#include "link/DeviceResult.h"
#include "link/FirmwareResult.h"
#include "link/PortOpenResult.h"
#include "link/RSPort.h"
#include "link/ReadResult.h"
#include "link/SettingWorkData.h"
#include "platform/CriticalSection.h"
#include "platform/SerialDevice.h"

class CDownloadProgress;
class CSdlTime;

class CKX2Device {
 public:
  CKX2Device();
  ~CKX2Device();
  CKX2Device(const CKX2Device&) = delete;
  CKX2Device& operator=(const CKX2Device&) = delete;

  // Connection, reads and results.
  PortOpenResult OpenPort(const std::string& path);
  void ClosePort();
  ReadResult WakeUp();
  ReadResult ReadSystemInfo();
  ReadResult ReadMailInfo();
  DeviceResult StopMeasurement();
  DeviceResult ReadCurrentValues(std::string& text);
  DeviceResult TestAntenna(int32_t* level);
  // detail: UTF-8 text appended on a line of its own, or null.
  void SetError(DeviceResult code, const char* detail = nullptr);
  // The firmware results that have a text of the device object's get it;
  // a failed step and a failed image write set none.
  void SetError(FirmwareResult code);
  void ClearDeviceMessages();
  // A failure seen after the port closed or its device went is reported as
  // not connected: that, not the step, is why it failed.
  DeviceResult FailedOrGone(DeviceResult code) const;
  void SetDeviceClock(const CSdlTime& clock);
  // kDone and the logger's current time (seconds since 1970 UTC), or kFailed
  // and *now untouched while no clock has been read. Safe from any thread.
  ReadResult GetDeviceNow(int64_t* now);

  // Record download (count records from start, appended to text as they
  // come, each with its CR LF; text keeps what came before a failure), error
  // log (its lines, each with its CR LF) and clear of the logger's memory.
  // The download's bounds are public for the tests that reach them.
  static constexpr uint32_t kSilenceMs = 30000;   // no data line for this long (scaled): failed
  static constexpr int32_t kEscAgainPass = 10;    // after an abort, the ESC goes out again here
  static constexpr int32_t kAbortPasses = 100;    // and the download fails after this many passes
  static constexpr int32_t kExtraLines = 100;     // lines beyond the count taken before giving up
  static constexpr int32_t kMaxRecords = 100000;  // the logger's ring; never more
  DeviceResult ReadRecords(int32_t start, int32_t count, std::string& text, CDownloadProgress& progress);
  DeviceResult ReadErrorLog(std::string& text);
  DeviceResult ClearData();

  // The setting items of one command each, from the edited record, and the
  // reset of the rain count.
  DeviceResult ResetLogger();
  DeviceResult WriteBatteryAlarm();
  // Sends nothing while the edited value equals the one read.
  DeviceResult WriteRainPerCount();
  DeviceResult ClearRainCount();

  // The communication module: clock synchronisation with its server, a test
  // mail, and its IMEI (digits only; kNoImei when the module gave none).
  DeviceResult SyncServerTime();
  DeviceResult SendTestMail();
  DeviceResult ReadImei(std::string& digits);

  // Setting writes; the masks get one bit per step that failed after all its
  // tries (link/WriteFailMask.h).
  DeviceResult WriteRainAlarms(int32_t* mask);
  DeviceResult WriteMeasureSettings(uint16_t* mask);
  DeviceResult WriteNetworkSettings(uint16_t* mask, int32_t mode);

  // Firmware transfer and the communication module's version query.
  FirmwareResult UpdateFirmware(const std::string& image, int32_t stopFirst, int32_t initAfter);
  FirmwareResult ReadModuleVersion();

  std::string m_strLastPort;
  int32_t m_bConnected = 0;  // written only by the main frame
  CSettingWorkData m_workRead;
  CSettingWorkData m_workEdit;
  CComCtrlKestrix2 m_protocol;
  CRSPort m_port;
  platform::DCB m_dcb{};
  std::string m_strPortName;
  std::string m_strError;
  std::string m_strSuccess;

  // The logger clock as last read. The worker writes it (ReadSystemInfo, and
  // ClosePort on whichever thread closes) while the pages' 100 ms timers read
  // it on the user-interface thread, so all three are written and read only
  // under m_csClock: a reader never pairs a new logger time with an old PC
  // time. Nothing else is ever taken while m_csClock is held.
  int32_t m_bClockValid = 0;
  int64_t m_tLoggerAtRead = 0;
  int64_t m_tPcAtRead = 0;
  platform::CriticalSection m_csClock;

 private:
  // The logger's current time for the start computation; falls back to the
  // clock of the read-back record while none has been read.
  int64_t LoggerNowForStart();
  // Every logger step is tried up to kTries times: a reply lost on the line
  // or a logger still busy with its last command is common, and asking again
  // is harmless.
  static constexpr int32_t kTries = 3;
  // Runs exchange until it gives kOk or a result of stopOn (which asking
  // again would not change), at most tries times; the last result.
  static ComResult Retry(int32_t tries, const std::function<ComResult()>& exchange,
                         std::initializer_list<ComResult> stopOn = {});
  ComResult SendLineTries(const char* line, const char* expected, uint32_t timeoutMs, int32_t tries);
  FirmwareResult FailedOrGone(FirmwareResult code) const;
  FirmwareResult TransferFirmware(const std::string& image, int32_t stopFirst, int32_t initAfter);
  FirmwareResult QueryModuleVersion();
  void SetModuleFilter(int32_t on);
  // The abort's ESC to the logger during a download: echoed as sent, then
  // written between two line reads without the port lock and without a
  // purge, so the lines still coming are kept.
  void SendEscape();
  // clang-format 14 takes an attributed enum for a braced list and mangles it.
  // clang-format off
  // One pass of the module restart.
  enum class [[nodiscard]] ModulePass { kCameBack, kTryAgain, kStepFailed };
  // clang-format on
  ModulePass ModuleVersionPass();
};
