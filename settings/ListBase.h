#pragma once
// One entry of the wizard runner's list of created pages: the page and the
// setting item it edits.

#include <cstdint>

// A wizard input page; defined on the window side, so the core only carries
// the pointer.
class CInputBaseDlg;

class CListBase {
 public:
  CListBase() = default;
  CListBase(CInputBaseDlg* page, int32_t item) : m_pPage(page), m_nItem(item) {}
  virtual ~CListBase();

  // Owned by the runner through its list; the runner deletes the page, since
  // only the window side knows its type.
  CInputBaseDlg* m_pPage = nullptr;
  int32_t m_nItem = 0;  // setting-item index; -1 for the antenna and test-mail pages
};
