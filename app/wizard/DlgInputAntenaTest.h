#pragma once
// Wizard page of setting item 19: the communication module's antenna level,
// read when the operator presses 確認 and shown as a picture of zero to four
// bars over the picture place (static 1168). The records are not re-read
// after it.

#include <atomic>
#include <cstdint>

#include "app/wizard/InputBaseDlg.h"
#include "ui/Bitmap.h"

class CDlgInputAntenaTest : public CInputBaseDlg {
 public:
  enum { IDD = 340 };
  enum : UINT { kCheckButton = 1044, kPicturePlace = 1168 };
  // Level pictures 381 (no bar) to 385 (four bars), 48 x 48, drawn twice as
  // large.
  static constexpr UINT kFirstPicture = 381;
  static constexpr int kPictureSize = 96;
  static constexpr int kNoLevel = -1;

  CDlgInputAntenaTest();
  // The antenna read, on the worker thread: done when a level came.
  WorkResult ThreadWork() override;

  // Bars for a signal value (dBm): -1 for 0, which is no value.
  static int LevelOf(int32_t signal);

  CBitmap m_bitmap;
  // Written by the work on the worker thread while the page may repaint.
  std::atomic<int> m_nLevel{kNoLevel};
  std::atomic<int> m_bReload{0};

 protected:
  BOOL OnInitDialog() override;
  void OnPaint() override;
  void OnDestroy() override;
};
