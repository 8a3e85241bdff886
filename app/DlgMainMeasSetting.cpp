#include "app/DlgMainMeasSetting.h"

#include <array>
#include <cstdlib>

#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "platform/Numbers.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
// Both three characters wide, so the criteria lines stay in columns.
constexpr const char* kOnOff[] = {"OFF", "ON "};
constexpr const char* kNoCaption = "";

using Row = std::array<UINT, 5>;
constexpr Row kStartRow = {CDlgMainMeasSetting::kStartYear, CDlgMainMeasSetting::kStartMonth,
                           CDlgMainMeasSetting::kStartDay, CDlgMainMeasSetting::kStartHour,
                           CDlgMainMeasSetting::kStartMinute};
constexpr Row kNextRow = {CDlgMainMeasSetting::kNextYear, CDlgMainMeasSetting::kNextMonth,
                          CDlgMainMeasSetting::kNextDay, CDlgMainMeasSetting::kNextHour,
                          CDlgMainMeasSetting::kNextMinute};
using Split = std::array<UINT, 3>;
constexpr Split kSamplingFields = {CDlgMainMeasSetting::kSamplingDays, CDlgMainMeasSetting::kSamplingHours,
                                   CDlgMainMeasSetting::kSamplingMinutes};
constexpr Split kEventFields = {CDlgMainMeasSetting::kEventDays, CDlgMainMeasSetting::kEventHours,
                                CDlgMainMeasSetting::kEventMinutes};

// Fields of a negative value carry its sign once, in front of the leading
// part that is not zero ("-1:30", not "-1:-30"): each part alone would read
// as a value of its own.
std::array<std::string, 3> SplitInterval(int32_t seconds) {
  const int64_t v = std::llabs(static_cast<int64_t>(seconds));
  const int64_t parts[3] = {v / 86400, v / 3600 % 24, v / 60 % 60};
  std::array<std::string, 3> text;
  bool sign = seconds < 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (sign && parts[i] != 0) text[i].push_back('-');
    text[i].append(std::to_string(parts[i]));
    if (parts[i] != 0) sign = false;
  }
  return text;
}

// Hours and minutes of a period in minutes, "1:30".
std::string FormatPeriod(int32_t minutes) {
  const int64_t v = std::llabs(static_cast<int64_t>(minutes));
  return platform::Format("%s%lld:%02lld", minutes < 0 ? "-" : "", static_cast<long long>(v / 60),
                          static_cast<long long>(v % 60));
}
}  // namespace

CDlgMainMeasSetting::CDlgMainMeasSetting() : CLoggerPageDlg(IDD) {
  MapCommand(kMeasureSetting, [this] { OnBnClickedMeasureSetting(); });
  MapCommand(kCriteriaSetting, [this] { OnBnClickedCriteria(); });
  MapCommand(kUpdate, [this] { OnBnClickedUpdate(); });
  MapCommand(kStopMeasure, [this] { OnBnClickedStopMeasure(); });
}

void CDlgMainMeasSetting::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kDeviceTime, m_editDeviceTime);
  DDX_Control(dx, kCriteria, m_editCriteria);
}

BOOL CDlgMainMeasSetting::OnInitDialog() {
  CDialog::OnInitDialog();
  loggerpage::StartClockTimer(*this, m_nTimerId, kClockTimer);
  return TRUE;
}

void CDlgMainMeasSetting::OnShowWindow(BOOL show, UINT status) {
  CDialog::OnShowWindow(show, status);
  loggerpage::OnClockPageShown(*this, show, m_nTimerId, kClockTimer);
}

void CDlgMainMeasSetting::OnDestroy() {
  loggerpage::StopClockTimer(*this, m_nTimerId);
  CDialog::OnDestroy();
}

void CDlgMainMeasSetting::OnTimer(UINT_PTR id) {
  if (!loggerpage::OnClockTimer(*this, id, m_nTimerId, kDeviceTime, m_tShownClock)) CDialog::OnTimer(id);
}

void CDlgMainMeasSetting::Refresh() {
  const bool connected = loggerpage::IsPortOpen();
  const CKX2SysInfo& sys = theApp.m_device.m_workRead.m_sysInfo;
  const auto set = [this, connected](UINT id, const std::string& text) {
    SetDlgItemText(static_cast<int>(id), connected ? text : std::string());
  };
  const auto setTime = [&set](const Row& row, const CSdlTime& t) {
    const int32_t fields[] = {t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour, t.m_nMinute};
    for (size_t i = 0; i < row.size(); ++i) set(row[i], std::to_string(fields[i]));
  };
  const auto setInterval = [&set](const Split& ids, int32_t seconds) {
    const std::array<std::string, 3> parts = SplitInterval(seconds);
    for (size_t i = 0; i < ids.size(); ++i) set(ids[i], parts[i]);
  };

  set(kState, res::LoadString(sys.m_nMeasuring != 0 ? res::kStrMeasuring : res::kStrStopped));
  setTime(kStartRow, sys.m_stStart);
  setTime(kNextRow, sys.m_stNext);
  setInterval(kSamplingFields, sys.m_nSampling);
  set(kSendCount, std::to_string(sys.m_nSendCount));
  setInterval(kEventFields, sys.m_nSamplingEvent);
  set(kSendCountEvent, std::to_string(sys.m_nSendCountEvent));
  std::string criteria;
  if (connected) FormatCriteria(criteria);
  set(kCriteria, criteria);

  // Stop and re-read stay enabled: each reports a closed port itself.
  for (UINT id : {kMeasureSetting, kCriteriaSetting}) {
    if (CWnd* button = GetDlgItem(static_cast<int>(id))) button->EnableWindow(connected ? TRUE : FALSE);
  }
}

void CDlgMainMeasSetting::FormatCriteria(std::string& text) const {
  const std::string label = res::LoadString(res::kStrCriteria);
  std::string lines;
  int position = 1;
  // Numbered by position; the alarm's own number may say otherwise.
  for (const CAlmRainInfo& alarm : theApp.m_device.m_workRead.m_sysInfo.m_alarm) {
    const std::string threshold = platform::Format("%.02lf[mm]", alarm.m_dThreshold);
    lines += platform::Format(" %s%d : %s / %s  %s\r\n", label.c_str(), position++, threshold.c_str(),
                              FormatPeriod(alarm.m_nPeriod).c_str(), kOnOff[alarm.m_nEnable % 2 != 0 ? 1 : 0]);
  }
  text += text.empty() ? lines : "\r\n\r\n" + lines;
}

void CDlgMainMeasSetting::OnBnClickedMeasureSetting() { loggerpage::ExecuteSettingItem(this, kItemMeasurement); }
void CDlgMainMeasSetting::OnBnClickedCriteria() { loggerpage::ExecuteSettingItem(this, kItemRainCriteria); }
void CDlgMainMeasSetting::OnBnClickedUpdate() { loggerpage::ExecuteSettingItem(this, kItemReread); }

void CDlgMainMeasSetting::OnBnClickedStopMeasure() {
  if (RefuseWhileBusy(this)) return;
  // Anything but kDone failed: the refresh below would otherwise leave
  // "測定中" standing unexplained.
  const bool done = loggerpage::RunPageWork(*this, *this) == RunResult::kDone;
  loggerpage::ShowOutcome(*this, done, kNoCaption);
  // Only this page shows the measuring state the stop re-read.
  Refresh();
  Invalidate(FALSE);
}

WorkResult CDlgMainMeasSetting::ThreadWork() {
  return theApp.m_device.StopMeasurement() == DeviceResult::kOk ? WorkResult::kDone : WorkResult::kFailed;
}
