#include "app/wizard/WizerdWorkOne.h"

#include "app/wizard/WizerdWorkCore.h"

CWizerdWorkOne::~CWizerdWorkOne() = default;
CWizerdWorkCore::~CWizerdWorkCore() = default;
