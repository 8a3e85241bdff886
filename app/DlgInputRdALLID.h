#pragma once
// The record range of a download: the Data-recording page proposes the
// logger's newest record number and the number of records it holds, and the
// operator confirms them or asks for fewer or older ones.
//
// Record numbers run 0 to 99999 and then start at 0 again. A typed count is
// cut to the numbers from the logger's oldest record up to the typed last
// one, so a download never asks for records that lie before the oldest.

#include <cstdint>

#include "ui/DialogEx.h"

class CDlgInputRdALLID : public CDialogEx {
 public:
  enum { IDD = 364 };
  enum : UINT { kRangeText = 1194, kLastIdEdit = 1203, kCountEdit = 1204 };
  static constexpr int32_t kNumbers = 100000;

  explicit CDlgInputRdALLID(CWnd* pParent = nullptr);
  // From the template with the dialog font.
  INT_PTR DoModal() override;

  // Records the logger holds by its first and last number: none when both
  // are 0, every number when the first follows the last.
  static int32_t HeldCount(int32_t first, int32_t last);
  // Numbers from the first held record up to lastId, which the logger can
  // send; 0 when lastId lies just before the first record (it names none of
  // them), unless the ring is full and lastId is its newest record.
  static int32_t AvailableUpTo(int32_t first, int32_t last, int32_t lastId);
  // The first of `count` numbers that end at lastId.
  static int32_t StartOf(int32_t lastId, int32_t count);

  // In: the proposal; out after IDOK: the operator's last number and count.
  int32_t m_nLastId = 0;
  int32_t m_nCount = 0;
  // In: the logger's record range as its system record gives it.
  int32_t m_nIdFirst = 0;
  int32_t m_nIdLast = 0;

 protected:
  BOOL OnInitDialog() override;
  // Stays open (and says nothing) until the last number is one of the ring's
  // and the count, as cut, is at least 1.
  void OnOK() override;
};
