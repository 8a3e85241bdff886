#pragma once
// The steps of one wizard and their walk: each page runs modally in turn,
// Next moves on, Back moves back, Cancel or a page closed without a choice
// ends the walk. The list owns its steps, not their pages.

#include <vector>

#include "app/wizard/WizerdWorkOne.h"
#include "settings/WalkResult.h"

class CWnd;

class CWizerdList {
 public:
  // m_nEndState values.
  static constexpr int kEndNone = 0;
  static constexpr int kEndClosed = 1;     // a page closed without a choice
  static constexpr int kEndFailed = 2;     // a page run failed with an exception
  static constexpr int kEndCancelled = 3;  // Cancel

  virtual ~CWizerdList();

  // Appends a step: 1, or 0 when the list cannot grow (nothing appended).
  [[nodiscard]] int Add(CWizerdWorkCore* page, unsigned flags, int tag);
  // Walks the steps; cancelled when a page closed without a choice, was
  // cancelled or failed.
  WalkResult Run(CWnd* parent);

  std::vector<CWizerdWorkOne> m_steps;
  int m_nEndState = kEndNone;
};
