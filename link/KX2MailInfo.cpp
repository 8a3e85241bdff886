#include "link/KX2MailInfo.h"

CKX2MailInfo::~CKX2MailInfo() = default;
