#pragma once
// CDocument: the document of the single-document template; the program's
// holds no data.

#include "ui/WinDefs.h"

class CDocument {
 public:
  virtual ~CDocument() = default;
  virtual BOOL OnNewDocument() { return TRUE; }
};
