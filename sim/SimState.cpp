#include "sim/SimState.h"

namespace sim {

void SimState::ResetSettings() {
  const SimState factory;
  measuring = false;
  sampling = factory.sampling;
  samplingEvent = factory.samplingEvent;
  sendCount = factory.sendCount;
  sendCountEvent = factory.sendCountEvent;
  batteryStop = factory.batteryStop;
  rainPerCount = factory.rainPerCount;
  alarm[0] = factory.alarm[0];
  alarm[1] = factory.alarm[1];
  rss = factory.rss;
  idle = factory.idle;
  average = factory.average;
  calibration = factory.calibration;
}

}  // namespace sim
