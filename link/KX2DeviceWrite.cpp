// Setting writes of the logger device object: rain criteria, measurement
// schedule and the communication module's access point.

#include <cstdio>
#include <ctime>
#include <new>

#include "link/AlmRainInfo.h"
#include "link/KX2Device.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/SdlTime.h"
#include "link/SettingRules.h"
#include "link/WriteFailMask.h"
#include "platform/Numbers.h"

namespace {

// The criterion as the logger takes it after "ALM RN n": the threshold in mm
// with two decimals, then the period as hours:minutes.
std::string CriteriaText(const CAlmRainInfo& alarm) {
  char period[32];
  std::snprintf(period, sizeof period, "%d:%02d", alarm.m_nPeriod / 60, alarm.m_nPeriod % 60);
  return platform::FormatFixed(alarm.m_dThreshold, 2) + " " + period;
}

// The logger's duration form of an interval in seconds, D..H..M..S.. with two
// digits each; days beyond 99 wrap, as the logger's field does.
std::string DurationText(int32_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "D%02dH%02dM%02dS%02d", (seconds / 86400) % 100, (seconds / 3600) % 24,
                (seconds / 60) % 60, seconds % 60);
  return text;
}

}  // namespace

DeviceResult CKX2Device::WriteRainAlarms(int32_t* mask) {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  // Compare with what the logger holds now, not with what it held when the
  // wizard opened.
  static_cast<void>(ReadSystemInfo());

  CKX2SysInfo& edit = m_workEdit.m_sysInfo;
  CKX2SysInfo& read = m_workRead.m_sysInfo;
  std::string editText[2];
  std::string readText[2];
  try {
    for (int32_t n = 0; n < 2; ++n) {
      editText[n] = CriteriaText(edit.m_alarm[n]);
      readText[n] = CriteriaText(read.m_alarm[n]);
    }
  } catch (const std::bad_alloc&) {
    return DeviceResult::kNoMemory;
  }

  // A criterion summed over a period shorter than the measurement interval
  // would never see more than one measurement, so the interval is shortened
  // to the period first. The first usable period counts, not the shortest.
  int64_t candidate = 0;
  const CAlmRainInfo* order[4] = {&edit.m_alarm[0], &edit.m_alarm[1], &read.m_alarm[0], &read.m_alarm[1]};
  for (const CAlmRainInfo* alarm : order) {
    if (alarm->m_nPeriod >= 0) {
      candidate = static_cast<int64_t>(alarm->m_nPeriod) * 60;
      break;
    }
  }
  // A criterion that is off and out of the logger's range (as a logger
  // reports one never set) keeps the logger's values: it has no effect, and
  // the logger would refuse it.
  bool send[2];
  for (int32_t n = 0; n < 2; ++n) {
    send[n] =
        editText[n] != readText[n] && (edit.m_alarm[n].m_nEnable != 0 || CSettingRules::IsCriterion(edit.m_alarm[n]));
  }
  const bool textChanged = send[0] || send[1];
  if (textChanged && candidate > 0 && candidate < read.m_nSampling) {
    const ComResult result = Retry(kTries, [&] {
      int32_t interval = static_cast<int32_t>(candidate);
      return m_protocol.SetSampling(&m_port, interval);
    });
    if (result == ComResult::kOk) {
      read.m_nSampling = static_cast<int32_t>(candidate);
      // The measurement page that follows sends the edited interval: it
      // must not put the longer one back.
      if (edit.m_nSampling > read.m_nSampling) edit.m_nSampling = read.m_nSampling;
    }
  }

  int32_t failed = 0;
  for (int32_t n = 0; n < 2; ++n) {
    const int32_t number = n + 1;
    if (send[n]) {
      const ComResult result =
          Retry(kTries, [&] { return m_protocol.SetRainAlarm(&m_port, number, editText[n].c_str()); });
      if (result != ComResult::kOk) failed |= n == 0 ? WriteFailMask::kAlarm1Text : WriteFailMask::kAlarm2Text;
    }
    const int32_t editOn = edit.m_alarm[n].m_nEnable != 0 ? 1 : 0;
    const int32_t readOn = read.m_alarm[n].m_nEnable != 0 ? 1 : 0;
    if (editOn != readOn) {
      const ComResult result = Retry(kTries, [&] { return m_protocol.EnableRainAlarm(&m_port, number, editOn); });
      if (result != ComResult::kOk) failed |= n == 0 ? WriteFailMask::kAlarm1Switch : WriteFailMask::kAlarm2Switch;
    }
  }

  if (mask != nullptr) *mask = failed;
  return failed != 0 ? FailedOrGone(DeviceResult::kFailed) : DeviceResult::kOk;
}

DeviceResult CKX2Device::WriteMeasureSettings(uint16_t* mask) {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  CKX2SysInfo& edit = m_workEdit.m_sysInfo;
  const CKX2SysInfo& read = m_workRead.m_sysInfo;
  uint16_t failed = 0;
  char line[64];

  const ComResult sampling = Retry(kTries, [&] {
    int32_t interval = edit.m_nSampling;
    return m_protocol.SetSampling(&m_port, interval);
  });
  if (sampling != ComResult::kOk) failed |= WriteFailMask::kSampling;

  // Send counts go out only when changed; the intervals always do.
  if (edit.m_nSendCount != read.m_nSendCount) {
    std::snprintf(line, sizeof line, "ST ITV %d\r\n", edit.m_nSendCount);
    if (SendLineTries(line, nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
      failed |= WriteFailMask::kSendCount;
  }

  std::snprintf(line, sizeof line, "ST SMP2 %s\r\n", DurationText(edit.m_nSamplingEvent).c_str());
  if (Retry(kTries, [&] { return m_protocol.SendCommand(&m_port, line, CComCtrlBase::kLongMs); }) != ComResult::kOk) {
    failed |= WriteFailMask::kSamplingEvent;
  }

  if (edit.m_nSendCountEvent != read.m_nSendCountEvent) {
    std::snprintf(line, sizeof line, "ST ITV2 %d\r\n", edit.m_nSendCountEvent);
    if (SendLineTries(line, nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
      failed |= WriteFailMask::kSendCountEvent;
  }

  if (edit.m_nMeasuring == 0 && read.m_nMeasuring != 0) {
    if (m_protocol.StopMeasure(&m_port, 1) != ComResult::kOk) failed |= WriteFailMask::kStop;
  }

  // A start with a failed schedule step before it could start measuring on a
  // schedule the operator did not ask for.
  if (failed == 0 && edit.m_nMeasuring != 0) {
    const int64_t now = LoggerNowForStart();
    const int64_t step = edit.m_nSampling > 0 ? edit.m_nSampling : 60;
    // A start in the past would never come; move it forward in whole
    // intervals (keeping the operator's phase) to at least a minute ahead of
    // the logger's clock. Computed in one step: an old start with a short
    // interval would otherwise take billions of additions.
    const int64_t earliest = now + 60;
    int64_t start = edit.m_stStart.GetTime();
    if (start < earliest) start += (earliest - start + step - 1) / step * step;

    if (start != read.m_stStart.GetTime() || read.m_nMeasuring != edit.m_nMeasuring) {
      const std::time_t value = static_cast<std::time_t>(start);
      std::tm local{};
      if (localtime_r(&value, &local) != nullptr) {
        edit.m_stStart.m_nYear = local.tm_year + 1900;
        edit.m_stStart.m_nMonth = local.tm_mon + 1;
        edit.m_stStart.m_nDay = local.tm_mday;
        edit.m_stStart.m_nHour = local.tm_hour;
        edit.m_stStart.m_nMinute = local.tm_min;
        edit.m_stStart.m_nSecond = local.tm_sec;
      }
      if (Retry(kTries, [&] { return m_protocol.SetStartTime(&m_port, edit.m_stStart); }) != ComResult::kOk) {
        failed |= WriteFailMask::kStart;
      }
    }
  }

  static_cast<void>(ReadSystemInfo());

  if (mask != nullptr) *mask = failed;
  return failed != 0 ? FailedOrGone(DeviceResult::kFailed) : DeviceResult::kOk;
}

DeviceResult CKX2Device::WriteNetworkSettings(uint16_t* mask, int32_t mode) {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  if (mode == 0 || mode == 1) {
    // The module carries these two profiles itself; initialising it with the
    // profile's name applies all four values at once.
    const ComResult init = m_protocol.InitMail(&m_port, mode == 0 ? "IIJ" : "MDAP");
    return init != ComResult::kOk ? FailedOrGone(DeviceResult::kModuleSetting) : DeviceResult::kOk;
  }

  const CKX2MailInfo& edit = m_workEdit.m_mailInfo;
  const char* const keys[4] = {"APN", "APU", "APP", "APA"};
  const uint16_t bits[4] = {WriteFailMask::kApn, WriteFailMask::kUser, WriteFailMask::kPassword, WriteFailMask::kAuth};
  const std::string* const values[4] = {&edit.m_strApn, &edit.m_strUser, &edit.m_strPassword, &edit.m_strAuth};
  uint16_t failed = 0;
  for (int32_t k = 0; k < 4; ++k) {
    std::string value = *values[k];
    // An empty name, user or password goes out as a single blank; only the
    // authentication type may be sent as the key alone.
    if (k < 3 && value.empty()) value.push_back(' ');
    const uint16_t bit = bits[k];
    // A line break inside a value would reach the logger as a command of its
    // own; such a value is refused, not sent.
    if (value.find_first_of("\r\n") != std::string::npos) {
      failed |= bit;
      continue;
    }
    std::string line = std::string("MAIL ") + keys[k];
    if (value == " ") {
      line += " ";
    } else if (!value.empty()) {
      line += " " + value;
    }
    line += "\r\n";
    if (SendLineTries(line.c_str(), nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk) failed |= bit;
  }

  if (failed != 0) {
    if (mask != nullptr) *mask = failed;
    return FailedOrGone(DeviceResult::kFailed);
  }
  // The values are stored already; the initialisation only makes the
  // module use them, so its answer does not decide the result. A link that
  // went meanwhile does: the module may not have taken them.
  if (m_protocol.InitMail(&m_port, nullptr) != ComResult::kOk) return FailedOrGone(DeviceResult::kOk);
  return DeviceResult::kOk;
}
