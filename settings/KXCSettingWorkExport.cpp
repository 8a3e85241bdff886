// The settings file's writer.
#include <string>
#include <string_view>

#include "link/SettingWorkData.h"
#include "platform/Numbers.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingFileKeys.h"
#include "settings/SettingItems.h"
#include "settings/SettingSelect.h"

namespace sf = settingfile;

namespace {

// Values are written raw, without quoting: a line break or NUL inside one
// would end its line early and let the rest pass for another key.
bool Writable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

void Line(std::string& file, const char* key, std::string_view value) {
  file += key;
  file += ',';
  file += value;
  file += "\r\n";
}

void Line(std::string& file, const char* key, int value) { Line(file, key, platform::Format("%d", value)); }

std::string FormatTm(const char* format, const std::tm& time) {
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, format, &time);
  return std::string(text, n);
}

}  // namespace

std::string CKXCSettingWork::DefaultFileName(const std::tm& now) {
  return "DWL" + FormatTm("_%Y%m%d_%H%M%S", now) + ".rai";
}

CKXCSettingWork::WriteTextResult CKXCSettingWork::WriteFileText(const CSettingWorkData& work,
                                                                const CSettingSelect& select, const std::tm& now,
                                                                std::string& file) {
  file.clear();
  bool anyTicked = false;
  for (const CSettingSelect::Item& item : select.m_item) anyTicked = anyTicked || item.checked != 0;
  if (!anyTicked) return kWriteNothingTicked;

  const CKX2SysInfo& sys = work.m_sysInfo;
  const CKX2MailInfo& mail = work.m_mailInfo;
  const bool accessPoint = select.m_item[kItemAccessPoint].checked != 0;
  if (!Writable(mail.m_strImei) || (accessPoint && !(Writable(mail.m_strApn) && Writable(mail.m_strUser) &&
                                                     Writable(mail.m_strPassword) && Writable(mail.m_strAuth)))) {
    return kWriteBadText;
  }

  file += sf::kHeader;
  file += "\r\n";
  Line(file, sf::kDate, FormatTm("%Y-%m-%d %H:%M:%S", now));
  Line(file, sf::kImei, mail.m_strImei);
  for (int i = 0; i < kSettingItemCount; ++i) {
    if (select.m_item[i].checked == 0) continue;
    file += platform::Format("//%d\r\n", i);
    switch (i) {
      case kItemRainCoef:
        Line(file, sf::kRainPerCount, platform::FormatFixed(sys.m_dRainPerCount, 2));
        break;
      case kItemBatteryAlarm:
        Line(file, sf::kBatteryStop, sys.m_nBatteryStop);
        break;
      case kItemAccessPoint:
        Line(file, sf::kApName, mail.m_strApn);
        Line(file, sf::kApUser, mail.m_strUser);
        Line(file, sf::kApPassword, mail.m_strPassword);
        Line(file, sf::kApAuth, mail.m_strAuth);
        break;
      case kItemRainCriteria:
        // The position, not the stored number, names the alarm in the file.
        for (int n = 1; n <= 2; ++n) {
          const CAlmRainInfo& alarm = sys.m_alarm[n - 1];
          Line(file, sf::kRainAlarm,
               platform::Format("%d,", n) + platform::FormatFixed(alarm.m_dThreshold, 2) +
                   platform::Format(",%d,%d", alarm.m_nPeriod, alarm.m_nEnable));
        }
        break;
      case kItemMeasurement:
        WriteMeasureSetting(file, work);
        break;
      default:
        break;  // an item without values in the file has its marker only
    }
  }
  return kWriteDone;
}

void CKXCSettingWork::WriteMeasureSetting(std::string& file, const CSettingWorkData& work) {
  const CKX2SysInfo& sys = work.m_sysInfo;
  const CSdlTime& start = sys.m_stStart;
  Line(file, sf::kMeasuring, sys.m_nMeasuring);
  Line(file, sf::kStart,
       platform::Format("%04d-%02d-%02d %02d:%02d:%02d", start.m_nYear, start.m_nMonth, start.m_nDay, start.m_nHour,
                        start.m_nMinute, start.m_nSecond));
  Line(file, sf::kSampling, sys.m_nSampling);
  Line(file, sf::kSendCount, sys.m_nSendCount);
  Line(file, sf::kSamplingEvent, sys.m_nSamplingEvent);
  Line(file, sf::kSendCountEvent, sys.m_nSendCountEvent);
}
