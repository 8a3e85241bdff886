#include "platform/TermiosDcb.h"

namespace platform {
namespace {

struct RateEntry {
  uint32_t rate;
  speed_t speed;
};

constexpr RateEntry kRates[] = {
    {50, B50},           {75, B75},       {110, B110},     {134, B134},     {150, B150},       {200, B200},
    {300, B300},         {600, B600},     {1200, B1200},   {1800, B1800},   {2400, B2400},     {4800, B4800},
    {9600, B9600},       {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B500000
    {500000, B500000},
#endif
#ifdef B576000
    {576000, B576000},
#endif
#ifdef B921600
    {921600, B921600},
#endif
#ifdef B1000000
    {1000000, B1000000},
#endif
#ifdef B1152000
    {1152000, B1152000},
#endif
#ifdef B1500000
    {1500000, B1500000},
#endif
#ifdef B2000000
    {2000000, B2000000},
#endif
#ifdef B2500000
    {2500000, B2500000},
#endif
#ifdef B3000000
    {3000000, B3000000},
#endif
#ifdef B3500000
    {3500000, B3500000},
#endif
#ifdef B4000000
    {4000000, B4000000},
#endif
};

// A UART copes with a few per cent of clock mismatch, so a rate such as 56000
// is served by the standard 57600; anything further off is refused rather than
// silently run at a rate the logger would not understand.
constexpr uint32_t kRateTolerancePerMille = 30;

const RateEntry* NearestRate(uint32_t rate) {
  if (rate == 0) return nullptr;
  const RateEntry* best = nullptr;
  uint64_t bestDiff = 0;
  for (const auto& e : kRates) {
    const uint64_t diff = e.rate > rate ? e.rate - rate : rate - e.rate;
    if (!best || diff < bestDiff) {
      best = &e;
      bestDiff = diff;
    }
  }
  if (best && bestDiff * 1000 <= static_cast<uint64_t>(rate) * kRateTolerancePerMille) return best;
  return nullptr;
}

uint32_t RateOf(speed_t speed) {
  for (const auto& e : kRates)
    if (e.speed == speed) return e.rate;
  return 0;
}

// Modem-line ioctls are refused by pseudo-terminals and some adapters; the

}  // namespace

uint32_t NearestStandardRate(uint32_t rate) {
  const RateEntry* e = NearestRate(rate);
  return e ? e->rate : 0;
}

uint32_t HighestStandardRate() { return kRates[sizeof kRates / sizeof kRates[0] - 1].rate; }

bool DcbToTermios(const DCB& dcb, termios& out) {
  const RateEntry* rate = NearestRate(dcb.BaudRate);
  if (!rate) return false;
  if (dcb.ByteSize < 5 || dcb.ByteSize > 8) return false;
  if (dcb.Parity > SPACEPARITY) return false;
#ifndef CMSPAR
  if (dcb.Parity == MARKPARITY || dcb.Parity == SPACEPARITY) return false;
#endif
  // As on the serial hardware the DCB comes from: 1.5 stop bits only with 5
  // data bits, 2 only with more (termios makes 2 into 1.5 at 5 bits).
  if (dcb.StopBits > TWOSTOPBITS) return false;
  if (dcb.StopBits == ONE5STOPBITS && dcb.ByteSize != 5) return false;
  if (dcb.StopBits == TWOSTOPBITS && dcb.ByteSize == 5) return false;

  termios tio = out;
  ::cfsetispeed(&tio, rate->speed);
  ::cfsetospeed(&tio, rate->speed);

  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
  tio.c_cflag |= kSizes[dcb.ByteSize - 5];

  tcflag_t parityBits = PARENB | PARODD;
#ifdef CMSPAR
  parityBits |= CMSPAR;
#endif
  tio.c_cflag &= ~parityBits;
  switch (dcb.Parity) {
    case ODDPARITY:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case EVENPARITY:
      tio.c_cflag |= PARENB;
      break;
#ifdef CMSPAR
    case MARKPARITY:
      tio.c_cflag |= PARENB | PARODD | CMSPAR;
      break;
    case SPACEPARITY:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
#endif
    default:
      break;
  }
  if (dcb.fParity && dcb.Parity != NOPARITY)
    tio.c_iflag |= INPCK;
  else
    tio.c_iflag &= ~static_cast<tcflag_t>(INPCK);

  if (dcb.StopBits == ONESTOPBIT)
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
  else
    tio.c_cflag |= CSTOPB;

  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (dcb.fOutX) tio.c_iflag |= IXON;
  if (dcb.fInX) tio.c_iflag |= IXOFF;
  if (dcb.fOutX || dcb.fInX) {
    tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
  }
  if (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
    tio.c_cflag |= CRTSCTS;
  else
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);

  out = tio;
  return true;
}

void TermiosToDcb(const termios& tio, DCB& dcb) {
  dcb = DCB{};
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = RateOf(::cfgetospeed(&tio));
  dcb.fBinary = 1;
  switch (tio.c_cflag & CSIZE) {
    case CS5:
      dcb.ByteSize = 5;
      break;
    case CS6:
      dcb.ByteSize = 6;
      break;
    case CS7:
      dcb.ByteSize = 7;
      break;
    default:
      dcb.ByteSize = 8;
      break;
  }
  if (!(tio.c_cflag & PARENB)) {
    dcb.Parity = NOPARITY;
  } else {
    const bool odd = (tio.c_cflag & PARODD) != 0;
#ifdef CMSPAR
    if (tio.c_cflag & CMSPAR)
      dcb.Parity = odd ? MARKPARITY : SPACEPARITY;
    else
#endif
      dcb.Parity = odd ? ODDPARITY : EVENPARITY;
  }
  dcb.fParity = (tio.c_iflag & INPCK) ? 1 : 0;
  if (tio.c_cflag & CSTOPB)
    dcb.StopBits = dcb.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS;
  else
    dcb.StopBits = ONESTOPBIT;
  dcb.fOutX = (tio.c_iflag & IXON) ? 1 : 0;
  dcb.fInX = (tio.c_iflag & IXOFF) ? 1 : 0;
  dcb.XonChar = static_cast<char>(tio.c_cc[VSTART]);
  dcb.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
  if (tio.c_cflag & CRTSCTS) {
    dcb.fOutxCtsFlow = 1;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
  } else {
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
  }
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
}

}  // namespace platform
