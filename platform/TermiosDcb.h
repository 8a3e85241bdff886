#pragma once
// Translation between our device-control block and termios, kept apart from
// the device so it can be checked without one: a pseudo-terminal forces 8
// data bits and no parity whatever is set, so only real hardware would show
// those bits otherwise.

#include <termios.h>

#include <cstdint>

#include "platform/SerialDevice.h"

namespace platform {

// The standard rate serving `rate` (0 when none is close enough).
uint32_t NearestStandardRate(uint32_t rate);
// The highest rate termios can set.
uint32_t HighestStandardRate();

// Lays BaudRate, ByteSize, Parity (with fParity as input checking), StopBits
// and the flow-control fields onto tio. Returns false, leaving tio untouched,
// for a setting the line cannot take.
bool DcbToTermios(const DCB& dcb, termios& tio);
// Reads those fields back; the modem lines (DTR, RTS) are the caller's.
void TermiosToDcb(const termios& tio, DCB& dcb);

}  // namespace platform
