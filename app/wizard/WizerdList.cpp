#include "app/wizard/WizerdList.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "app/wizard/WizerdWorkCore.h"

CWizerdList::~CWizerdList() = default;

int CWizerdList::Add(CWizerdWorkCore* page, unsigned flags, int tag) {
  try {
    m_steps.emplace_back(page, flags, tag);
  } catch (const std::bad_alloc&) {
    return 0;
  } catch (const std::length_error&) {
    return 0;
  }
  return 1;
}

WalkResult CWizerdList::Run(CWnd* parent) {
  m_nEndState = kEndNone;
  const int n = static_cast<int>(m_steps.size());
  int index = 0;
  bool forward = true;
  while (m_nEndState == kEndNone && index >= 0 && index < n) {
    const CWizerdWorkOne& step = m_steps[static_cast<size_t>(index)];
    unsigned place = CWizerdWorkCore::kMiddlePage;
    if (n == 1) {
      place = CWizerdWorkCore::kOnlyPage;
    } else if (index == 0) {
      place = CWizerdWorkCore::kFirstPage;
    } else if (index == n - 1) {
      place = CWizerdWorkCore::kLastPage;
    }
    const unsigned flags = (step.m_nFlags & ~CWizerdWorkCore::kPlaceMask) | place;
    int result = CWizerdWorkCore::kClosed;
    try {
      result = step.m_pPage->RunPage(parent, flags);
    } catch (const std::exception&) {
      m_nEndState = kEndFailed;
      break;
    }
    switch (result) {
      case CWizerdWorkCore::kClosed:
        m_nEndState = kEndClosed;
        break;
      case CWizerdWorkCore::kBack:
        forward = false;
        --index;
        break;
      case CWizerdWorkCore::kCancel:
        m_nEndState = kEndCancelled;
        break;
      case CWizerdWorkCore::kSkip:
        index += forward ? 1 : -1;
        break;
      default:  // Next, and any value no page gives
        forward = true;
        ++index;
        break;
    }
  }
  if (m_nEndState != kEndNone) return WalkResult::kCancelled;
  return index < 0 ? WalkResult::kBackedOut : WalkResult::kFinished;
}
