#include "link/AlmRainInfo.h"

CAlmRainInfo::~CAlmRainInfo() = default;
