#include "app/wizard/DlgInputAntenaTest.h"

#include "app/Kestrix2CommApp.h"
#include "ui/PaintDC.h"

namespace {
constexpr int kPictureSource = 48;
}  // namespace

CDlgInputAntenaTest::CDlgInputAntenaTest() : CInputBaseDlg(IDD) {
  MapCommand(kCheckButton, [this] { static_cast<void>(RunWorkAndReport(nullptr)); });
}

BOOL CDlgInputAntenaTest::OnInitDialog() {
  SetUpCheckPage();
  return TRUE;
}

int CDlgInputAntenaTest::LevelOf(int32_t signal) {
  if (signal == 0) return kNoLevel;
  if (signal >= -88) return 4;
  if (signal >= -99) return 3;
  if (signal >= -107) return 2;
  if (signal >= -130) return 1;
  return 0;
}

WorkResult CDlgInputAntenaTest::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  int32_t signal = 0;
  const DeviceResult result = device.TestAntenna(&signal);
  int level = kNoLevel;
  if (result != DeviceResult::kOk) {
    device.SetError(result);
  } else if (signal == 0) {
    // The logger ended its answer without a value: no level was measured,
    // which the operator must hear rather than see an empty place.
    device.SetError(DeviceResult::kFailed);
  } else {
    level = LevelOf(signal);
  }
  m_nLevel = level;
  m_bReload = 1;
  InvalidateFromAnyThread();
  return level == kNoLevel ? WorkResult::kFailed : WorkResult::kDone;
}

void CDlgInputAntenaTest::OnPaint() {
  CPaintDC dc(this);
  // The mark first: a work that ends meanwhile sets it again after its level.
  const bool reload = m_bReload.exchange(0) != 0;
  const int level = m_nLevel.load();
  if (level < 0 || level > 4) return;
  if (reload) {
    m_bitmap.DeleteObject();
    m_bitmap.LoadBitmap(kFirstPicture + static_cast<UINT>(level));
  }
  CWnd* place = GetDlgItem(kPicturePlace);
  if (!m_bitmap.GetSafeHandle() || !place) return;
  CRect rc;
  place->GetWindowRect(&rc);
  ScreenToClient(&rc);
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* before = memory.SelectObject(&m_bitmap);
  dc.StretchBlt(rc.left, rc.top, kPictureSize, kPictureSize, &memory, 0, 0, kPictureSource, kPictureSource, SRCCOPY);
  memory.SelectObject(before);
}

void CDlgInputAntenaTest::OnDestroy() {
  CInputBaseDlg::OnDestroy();
  // The page keeps its level for its next opening (Back, then Next again):
  // that opening loads the picture anew.
  if (m_bitmap.DeleteObject() && m_nLevel.load() >= 0) m_bReload = 1;
}
