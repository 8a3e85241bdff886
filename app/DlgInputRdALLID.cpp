#include "app/DlgInputRdALLID.h"

#include "app/Kestrix2CommApp.h"
#include "platform/Numbers.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
// The remainder in 0..kNumbers-1, whatever the sign of the value.
int32_t Wrap(int64_t value) {
  const int64_t n = CDlgInputRdALLID::kNumbers;
  return static_cast<int32_t>(((value % n) + n) % n);
}
}  // namespace

CDlgInputRdALLID::CDlgInputRdALLID(CWnd* pParent) : CDialogEx(IDD, pParent) {}

INT_PTR CDlgInputRdALLID::DoModal() {
  CDialogTemplate dlgTemplate;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(IDD, theApp.GetDlgFontPointSize(), dlgTemplate)) return -1;
  InitModalIndirect(dlgTemplate);
  return CDialogEx::DoModal();
}

int32_t CDlgInputRdALLID::HeldCount(int32_t first, int32_t last) {
  if (first == last) return first != 0 ? 1 : 0;
  return AvailableUpTo(first, last, last);
}

int32_t CDlgInputRdALLID::AvailableUpTo(int32_t first, int32_t last, int32_t lastId) {
  const int32_t count = Wrap(static_cast<int64_t>(lastId) - first + 1);
  if (count != 0) return count;
  // lastId just before the first record: in a full ring that is the newest
  // record, and all of them are there.
  return first != last && Wrap(static_cast<int64_t>(last) + 1) == Wrap(first) && Wrap(lastId) == Wrap(last) ? kNumbers
                                                                                                            : 0;
}

int32_t CDlgInputRdALLID::StartOf(int32_t lastId, int32_t count) {
  return Wrap(static_cast<int64_t>(lastId) - count + 1);
}

BOOL CDlgInputRdALLID::OnInitDialog() {
  CDialogEx::OnInitDialog();
  long count = 0, first = 0, last = 0;
  if (m_nCount != 0) {
    count = m_nCount;
    first = StartOf(m_nLastId, m_nCount);
    last = m_nLastId;
  }
  SetDlgItemText(kRangeText, platform::Format(res::LoadString(res::kStrRecordRange).c_str(), count, first, last));
  SetDlgItemText(kLastIdEdit, platform::Format("%ld", static_cast<long>(m_nLastId)));
  SetDlgItemText(kCountEdit, platform::Format("%ld", static_cast<long>(m_nCount)));
  return TRUE;
}

void CDlgInputRdALLID::OnOK() {
  // The clamping conversion: a long run of digits reads as a number out of
  // range, never as one that wrapped into it.
  const int32_t lastId = platform::AtoI(GetDlgItemText(kLastIdEdit).c_str());
  const int32_t count = platform::AtoI(GetDlgItemText(kCountEdit).c_str());
  if (lastId < 0 || lastId >= kNumbers || count <= 0) return;
  // A count cut to 0 would make the download command go out without one,
  // which the logger takes as "everything from the start number on".
  if (AvailableUpTo(m_nIdFirst, m_nIdLast, lastId) <= 0) return;
  m_nLastId = lastId;
  m_nCount = count;
  CDialogEx::OnOK();
}
