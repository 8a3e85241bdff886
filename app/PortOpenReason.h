#pragma once
// The line that says why a serial port could not be opened, shown below the
// plain "cannot open" text: no permission (naming the group the operator
// must join), in use by another program, or not there.

#include <string>

#include "platform/SerialDevice.h"

// Empty when there is nothing more to say than that the port did not open.
// group: the group that owns the device, empty when unknown.
std::string PortOpenReason(platform::OpenError error, const std::string& group);
