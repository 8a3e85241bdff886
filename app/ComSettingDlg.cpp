#include "app/ComSettingDlg.h"

#include <algorithm>
#include <cctype>

#include "app/Kestrix2CommApp.h"
#include "platform/SerialPorts.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
constexpr const char* kDevicePrefix = "\\\\.\\";
// Shares of the list's width: the columns as drawn for short port names, and
// what the description column keeps however long a name is.
constexpr double kPortShare = 0.2;
constexpr double kDeviceShare = 0.75;
constexpr double kMinDeviceShare = 0.4;

std::string WithoutDevicePrefix(std::string path) {
  const std::string prefix = kDevicePrefix;
  for (size_t at = path.find(prefix); at != std::string::npos; at = path.find(prefix, at))
    path.erase(at, prefix.size());
  return path;
}

// Port names are ASCII on every system that names them; other bytes compare as they are.
bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

CComSettingDlg::CComSettingDlg(CWnd* pParent) : CDialog(IDD, pParent) {
  MapNotify(NM_DBLCLK, kPortList, [this](NMHDR*, LRESULT* result) {
    *result = 0;
    OnOK();
  });
}

CComSettingDlg::~CComSettingDlg() = default;

INT_PTR CComSettingDlg::DoModal() {
  if (!theApp.InitModalWithFont(*this, IDD)) return -1;
  return CDialog::DoModal();
}

void CComSettingDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kPortList, m_list);
}

BOOL CComSettingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // Every row shows its whole port name as its tooltip; a name too long even
  // for the widened column keeps its start and its last name.
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_LABELTIP);
  m_list.SetPathEllipsis(TRUE);
  CRect rc;
  m_list.GetClientRect(&rc);
  m_list.InsertColumn(0, res::LoadString(res::kStrPortColumn), LVCFMT_LEFT, static_cast<int>(rc.Width() * kPortShare));
  m_list.InsertColumn(1, res::LoadString(res::kStrDeviceColumn), LVCFMT_LEFT,
                      static_cast<int>(rc.Width() * kDeviceShare));
  EnumeratePorts();

  m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetFocus();
  if (!m_szPort.empty()) {
    const int count = m_list.GetItemCount();
    const std::string wanted = WithoutDevicePrefix(m_szPort);
    for (int row = 0; row < count; ++row) {
      if (EqualNoCase(wanted, m_list.GetItemText(row, 0))) {
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.SetFocus();
        break;
      }
    }
  }
  return TRUE;
}

void CComSettingDlg::EnumeratePorts() {
  m_list.DeleteAllItems();
  for (const platform::SerialPortInfo& port : platform::ListSerialPorts()) {
    const int row = m_list.InsertItem(m_list.GetItemCount(), port.name);
    if (row >= 0) m_list.SetItemText(row, 1, port.description);
  }
  FitPortColumn();
}

// The narrow port column was drawn for short names; a device path
// ("/dev/ttyS0", the simulator's link in the build folder) needs more, which
// the description column gives up, down to a share that still reads.
void CComSettingDlg::FitPortColumn() {
  CRect rc;
  m_list.GetClientRect(&rc);
  const int narrow = static_cast<int>(rc.Width() * kPortShare);
  const int described = static_cast<int>(rc.Width() * kDeviceShare);
  const int widest = narrow + described - static_cast<int>(rc.Width() * kMinDeviceShare);
  m_list.SetColumnWidth(0, LVSCW_AUTOSIZE);
  const int port = std::clamp(m_list.GetColumnWidth(0), narrow, widest);
  m_list.SetColumnWidth(0, port);
  m_list.SetColumnWidth(1, described - (port - narrow));
}

void CComSettingDlg::OnOK() {
  const int count = m_list.GetItemCount();
  for (int row = 0; row < count; ++row) {
    if (!(m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) continue;
    const std::string name = m_list.GetItemText(row, 0);
    if (name.empty()) continue;
    m_szPort = kDevicePrefix + name;
    break;
  }
  EndDialog(IDOK);
}
