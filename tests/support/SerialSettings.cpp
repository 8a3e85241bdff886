#include "tests/support/SerialSettings.h"

platform::DCB LoggerLineSettings() {
  platform::DCB dcb;
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = 9600;
  dcb.ByteSize = 8;
  dcb.Parity = platform::NOPARITY;
  dcb.StopBits = platform::ONESTOPBIT;
  return dcb;
}
