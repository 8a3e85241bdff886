#include "settings/ListBase.h"

CListBase::~CListBase() = default;
