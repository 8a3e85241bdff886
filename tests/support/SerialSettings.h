#pragma once
// The line the logger speaks: 9600 baud, 8 data bits, no parity, one stop bit.

#include "platform/SerialDevice.h"

platform::DCB LoggerLineSettings();
