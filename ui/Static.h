#pragma once
// CStatic: a static text (or picture) control.

#include "ui/Wnd.h"

class CStatic : public CWnd {};
