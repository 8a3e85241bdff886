#include "app/ComSettingDlg.h"

#include <algorithm>
#include <cctype>

#include "app/Kestrix2CommApp.h"
#include "platform/SerialPorts.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
constexpr const char* kDevicePrefix = "\\\\.\\";

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
  // A port named by its path (the simulator's, a by-id link) does not fit the
  // narrow column: it keeps its start and its last name, and shows whole as
  // the row's tooltip.
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_LABELTIP);
  m_list.SetPathEllipsis(TRUE);
  CRect rc;
  m_list.GetClientRect(&rc);
  m_list.InsertColumn(0, res::LoadString(res::kStrPortColumn), LVCFMT_LEFT, static_cast<int>(rc.Width() * 0.2));
  m_list.InsertColumn(1, res::LoadString(res::kStrDeviceColumn), LVCFMT_LEFT, static_cast<int>(rc.Width() * 0.75));
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
