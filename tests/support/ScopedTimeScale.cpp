#include "tests/support/ScopedTimeScale.h"

#include "platform/Time.h"

ScopedTimeScale::ScopedTimeScale(double scale) : m_previous(platform::TimeScale()) { platform::SetTimeScale(scale); }

ScopedTimeScale::~ScopedTimeScale() { platform::SetTimeScale(m_previous); }

void ScopedTimeScale::Set(double scale) { platform::SetTimeScale(scale); }

uint32_t SchedulerSlack() { return static_cast<uint32_t>(kSchedulerSlackRealMs / platform::TimeScale()); }
