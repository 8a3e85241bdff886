#include "app/wizard/DlgInputMeasureSetting.h"

#include <ctime>

#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "link/SdlTime.h"
#include "link/SettingRules.h"
#include "link/WriteFailMask.h"
#include "platform/Numbers.h"

namespace {
constexpr const char* kIllegalStart = "Illigal value!  測定開始日時";
constexpr const char* kIllegalNormal = "Illigal value!  通常時測定間隔 (1分 - 10日)";
constexpr const char* kIllegalNormalCount = "Illigal value!  通常時データ送信間隔 (0-240)";
constexpr const char* kIllegalEvent = "Illigal value!  イベント時測定間隔 (1分 - 10日)";
constexpr const char* kIllegalEventCount = "Illigal value!  イベント時データ送信間隔 (0-240)";
constexpr int kPcTimeLeadSeconds = 120;
// The day fields hold whole days of the longest interval.
constexpr int32_t kMaxDays = CSettingRules::kInterval.max / 86400;

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Two digits at `at` of a text known to be digits.
int Two(const std::string& digits, size_t at) { return (digits[at] - '0') * 10 + (digits[at + 1] - '0'); }
}  // namespace

CDlgInputMeasureSetting::CDlgInputMeasureSetting() : CInputBaseDlg(IDD) {
  MapCommand(kNextButton, [this] { OnBnClickedNext(); });
  MapCommand(kPcTimePlus2, [this] { OnBnClickedPcTimePlus2(); });
}

// The window ends while the page is whole, so its OnDestroy (the timer's
// end) runs as this class's.
CDlgInputMeasureSetting::~CDlgInputMeasureSetting() { loggerpage::DestroyPageWindow(*this); }

void CDlgInputMeasureSetting::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kDeviceTime, m_editDeviceTime);
  DDX_Control(dx, kStart, m_editStart);
  DDX_Control(dx, kNormalTime, m_editNormalTime);
  DDX_Control(dx, kEventTime, m_editEventTime);
  DDX_Control(dx, kNormalDays, m_editNormalDays);
  DDX_Control(dx, kEventDays, m_editEventDays);
  DDX_Control(dx, kNormalCount, m_editNormalCount);
  DDX_Control(dx, kEventCount, m_editEventCount);
}

BOOL CDlgInputMeasureSetting::OnInitDialog() {
  CInputBaseDlg::OnInitDialog();
  const CKX2SysInfo& edit = theApp.m_device.m_workEdit.m_sysInfo;
  for (CSTNumEdit* count : {&m_editNormalCount, &m_editEventCount}) {
    count->m_nMax = CSettingRules::kSendCount.max;
    count->m_nMin = CSettingRules::kSendCount.min;
  }
  m_editNormalCount.SetWindowText(platform::Format("%d", edit.m_nSendCount));
  m_editEventCount.SetWindowText(platform::Format("%d", edit.m_nSendCountEvent));

  // A start whose fields do not fit the pattern (an imported one out of
  // range) leaves the pattern's own text standing.
  m_editStart.EnableMask("  DD DD DD DD DD", "20__-__-__ __:__", '_', nullptr);
  m_editStart.SetWindowText("2000-00-00 00:00");
  const CSdlTime& start = edit.m_stStart;
  m_editStart.SetWindowText(platform::Format("20%02d-%02d-%02d %02d:%02d", start.m_nYear % 100, start.m_nMonth,
                                             start.m_nDay, start.m_nHour, start.m_nMinute));

  ShowInterval(m_editNormalTime, m_editNormalDays, edit.m_nSampling);
  ShowInterval(m_editEventTime, m_editEventDays, edit.m_nSamplingEvent);

  loggerpage::StartClockTimer(*this, m_nTimerId, kClockTimer);
  return TRUE;
}

void CDlgInputMeasureSetting::ShowInterval(CMFCMaskedEdit& time, CSTNumEdit& days, int32_t seconds) {
  time.EnableMask("DD DD", "__:__", '_', nullptr);
  time.SetWindowText("00:00");
  time.SetWindowText(platform::Format("%02d:%02d", (seconds / 3600) % 24, (seconds / 60) % 60));
  days.SetWindowText(platform::Format("%d", (seconds / 86400) % 100));
  days.m_nMax = kMaxDays;
  days.m_nMin = 0;
}

void CDlgInputMeasureSetting::OnTimer(UINT_PTR id) {
  if (!loggerpage::OnClockTimer(*this, id, m_nTimerId, kDeviceTime, m_timeShown)) CInputBaseDlg::OnTimer(id);
}

void CDlgInputMeasureSetting::OnDestroy() {
  loggerpage::StopClockTimer(*this, m_nTimerId);
  CInputBaseDlg::OnDestroy();
}

void CDlgInputMeasureSetting::OnBnClickedPcTimePlus2() {
  const std::time_t when = std::time(nullptr) + kPcTimeLeadSeconds;
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return;
  char text[32];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  m_editStart.SetWindowText(std::string(text, n));
}

bool CDlgInputMeasureSetting::ParseStart(const std::string& digits, CSdlTime* start) {
  if (digits.size() != 10 || !AllDigits(digits)) return false;
  CSdlTime time;
  time.m_nYear = 2000 + Two(digits, 0);
  time.m_nMonth = Two(digits, 2);
  time.m_nDay = Two(digits, 4);
  time.m_nHour = Two(digits, 6);
  time.m_nMinute = Two(digits, 8);
  if (!CSettingRules::IsStart(time)) return false;
  *start = time;
  return true;
}

bool CDlgInputMeasureSetting::ParseInterval(const std::string& days, const std::string& hhmm, int32_t* seconds) {
  if (!AllDigits(days) || hhmm.size() != 4 || !AllDigits(hhmm)) return false;
  const int32_t d = platform::AtoI(days.c_str());
  const int hours = Two(hhmm, 0);
  const int minutes = Two(hhmm, 2);
  if (d > kMaxDays || hours > 23 || minutes > 59) return false;
  const int32_t total = ((d * 24 + hours) * 60 + minutes) * 60;
  if (!CSettingRules::Contains(CSettingRules::kInterval, total)) return false;
  *seconds = total;
  return true;
}

bool CDlgInputMeasureSetting::ParseCount(const std::string& text, int32_t* count) {
  if (!AllDigits(text)) return false;
  const int32_t value = platform::AtoI(text.c_str());
  if (!CSettingRules::Contains(CSettingRules::kSendCount, value)) return false;
  *count = value;
  return true;
}

void CDlgInputMeasureSetting::OnBnClickedNext() {
  // Every field is checked before anything is stored: a date the calendar
  // does not have, or an interval the logger refuses half-way through the
  // write, must not reach the logger.
  CSdlTime start;
  int32_t normal = 0, event = 0, normalCount = 0, eventCount = 0;
  const char* refused = nullptr;
  if (!ParseStart(m_editStart.GetWindowText(), &start)) {
    refused = kIllegalStart;
  } else if (!ParseInterval(m_editNormalDays.GetWindowText(), m_editNormalTime.GetWindowText(), &normal)) {
    refused = kIllegalNormal;
  } else if (!ParseCount(m_editNormalCount.GetWindowText(), &normalCount)) {
    refused = kIllegalNormalCount;
  } else if (!ParseInterval(m_editEventDays.GetWindowText(), m_editEventTime.GetWindowText(), &event)) {
    refused = kIllegalEvent;
  } else if (!ParseCount(m_editEventCount.GetWindowText(), &eventCount)) {
    refused = kIllegalEventCount;
  }
  if (refused != nullptr) {
    MessageBox(refused, nullptr, MB_ICONEXCLAMATION);
    return;
  }

  CKX2SysInfo& edit = theApp.m_device.m_workEdit.m_sysInfo;
  edit.m_nMeasuring = 1;
  edit.m_stStart = start;
  edit.m_nSampling = normal;
  edit.m_nSendCount = normalCount;
  edit.m_nSamplingEvent = event;
  edit.m_nSendCountEvent = eventCount;
  if ((m_nPageFlags & kEditOnly) || RunWorkAndReport(nullptr) == RunResult::kDone) EndPage(kNext);
}

std::string CDlgInputMeasureSetting::FailureDetail(uint16_t mask) {
  static const struct {
    uint16_t bit;
    const char* line;
  } kLines[] = {{WriteFailMask::kSampling, "Err SMP\r\n"},       {WriteFailMask::kSendCount, "Err ITV\r\n"},
                {WriteFailMask::kSamplingEvent, "Err SMP2\r\n"}, {WriteFailMask::kSendCountEvent, "Err ITV2\r\n"},
                {WriteFailMask::kStop, "Err STP\r\n"},           {WriteFailMask::kStart, "Err STM\r\n"}};
  std::string detail;
  for (const auto& step : kLines) {
    if (mask & step.bit) detail += step.line;
  }
  return detail;
}

WorkResult CDlgInputMeasureSetting::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  uint16_t mask = 0;
  const DeviceResult result = device.WriteMeasureSettings(&mask);
  const std::string detail = FailureDetail(mask);
  return WorkResultOf(result, detail.empty() ? nullptr : detail.c_str());
}
