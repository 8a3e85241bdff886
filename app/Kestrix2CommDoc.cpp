#include "app/Kestrix2CommDoc.h"

BOOL CKestrix2CommDoc::OnNewDocument() { return CDocument::OnNewDocument() ? TRUE : FALSE; }
