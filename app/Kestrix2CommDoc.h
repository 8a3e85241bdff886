#pragma once
// The document of the single-document window; it holds no data.

#include "ui/Document.h"

class CKestrix2CommDoc : public CDocument {
 public:
  BOOL OnNewDocument() override;
};
