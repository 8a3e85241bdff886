#pragma once
// One step of a wizard walk: the page (not owned), the flags its maker gave
// it and a tag the maker may use (the runner keeps the setting item there;
// the walk never reads it).

class CWizerdWorkCore;

class CWizerdWorkOne {
 public:
  CWizerdWorkOne(CWizerdWorkCore* page, unsigned flags, int tag) : m_pPage(page), m_nFlags(flags), m_nTag(tag) {}
  virtual ~CWizerdWorkOne();
  CWizerdWorkOne(const CWizerdWorkOne&) = default;
  CWizerdWorkOne& operator=(const CWizerdWorkOne&) = default;

  CWizerdWorkCore* m_pPage;
  unsigned m_nFlags;
  int m_nTag;
};
