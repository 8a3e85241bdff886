#include "settings/KXCSettingWork.h"

CKXCSettingWork::~CKXCSettingWork() = default;
