// The item tree and the wizard of the settings transfer: the selection
// becomes one input page per ticked item, walked in item order.
#include <exception>
#include <memory>
#include <vector>

#include "app/Kestrix2CommApp.h"
#include "app/wizard/DlgTreeItem.h"
#include "app/wizard/InputBaseDlg.h"
#include "app/wizard/WizerdList.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "settings/KXCSettingWork.h"
#include "settings/ListBase.h"
#include "settings/SettingItems.h"
#include "settings/SettingSelect.h"
#include "ui/MessageService.h"

namespace {
// A page the maker could not make is left out, as an item without a page.
std::unique_ptr<CInputBaseDlg> MakePage(const CKXCSettingWork::PageMaker& make, int item) {
  try {
    return make(item);
  } catch (const std::exception&) {
    return nullptr;
  }
}
}  // namespace

WalkResult CKXCSettingWork::SelectAndRun(CWnd* parent, CSettingSelect& select, unsigned) {
  CDlgTreeItem dlg(parent);
  dlg.m_select = select;
  if (dlg.DoModal() != IDOK) return WalkResult::kCancelled;
  select = dlg.m_select;
  return RunWizard(parent, select, 0);
}

WalkResult CKXCSettingWork::RunWizard(CWnd* parent, const CSettingSelect& select, unsigned flags) {
  return RunWizard(parent, select, flags, &CKXCSettingWork::CreatePage);
}

WalkResult CKXCSettingWork::RunWizard(CWnd* parent, const CSettingSelect& select, unsigned flags,
                                      const PageMaker& make) {
  CKX2Device& device = theApp.m_device;
  std::vector<CListBase> pages;
  int stopAt = -1;
  bool measurementPage = false;
  for (int item = 0; item < kSettingItemCount; ++item) {
    if (select.m_item[item].checked == 0) continue;
    std::unique_ptr<CInputBaseDlg> page = MakePage(make, item);
    if (page == nullptr) continue;
    // The first page that writes alarm settings stops the measurement.
    if ((item == kItemBatteryAlarm || item == kItemRainCriteria) && stopAt < 0) {
      stopAt = static_cast<int>(pages.size());
    }
    if (item == kItemMeasurement) measurementPage = true;
    pages.emplace_back(page.get(), item == kItemAntenna || item == kItemTestMail ? -1 : item);
    page.release();  // the list owns it now
  }
  // A walk that stops the measurement ends with a page that can start it again.
  if (device.m_workRead.m_sysInfo.m_nMeasuring != 0 && stopAt >= 0 && !measurementPage) {
    if (std::unique_ptr<CInputBaseDlg> page = MakePage(make, kItemMeasurement)) {
      pages.emplace_back(page.get(), kItemMeasurement);
      page.release();
    }
  }

  CWizerdList list;
  bool listed = true;
  for (size_t k = 0; k < pages.size() && listed; ++k) {
    const unsigned stop = static_cast<int>(k) == stopAt ? CWizerdWorkCore::kStopMeasurement : 0;
    listed = list.Add(pages[k].m_pPage, flags | stop, pages[k].m_nItem) == 1;
  }
  // A walk without one of its steps would leave a ticked item unwritten (or
  // a stopped measurement without the page that starts it again) and still
  // end as done: the operator is told, and nothing is walked.
  if (!listed) ShowMessageBox(parent, res::LoadString(res::kStrNoMemory), nullptr, MB_ICONEXCLAMATION);
  const WalkResult result = !listed || list.m_steps.empty() ? WalkResult::kCancelled : list.Run(parent);

  // Cancelled (or failed) before the measurement page started the logger
  // again: it no longer records rain, and the operator must know.
  bool stopped = false;
  for (const CListBase& entry : pages) stopped = stopped || entry.m_pPage->MeasurementStopped();
  if (stopped && device.m_workRead.m_sysInfo.m_nMeasuring == 0) {
    ShowMessageBox(parent, res::LoadString(res::kStrStillStopped), nullptr, MB_ICONEXCLAMATION);
  }

  for (CListBase& entry : pages) {
    entry.m_pPage->DeleteSelf();
    entry.m_pPage = nullptr;
  }
  return result;
}
