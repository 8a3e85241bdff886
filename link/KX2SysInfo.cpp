#include "link/KX2SysInfo.h"

CKX2SysInfo::~CKX2SysInfo() = default;
