#pragma once
// A protocol object talking through a real CRSPort to a scripted peer on a
// pseudo-terminal.
//
// Opening and closing the port each sleep 500 ms, so they run under a tiny
// time scale. A test that expects an answer in time runs at scale 1 (a real
// 5 s read time-out is no race against the pty); a test that waits out a
// logger time-out picks a small scale.

#include <gtest/gtest.h>

#include "ScriptedPeer.h"
#include "link/ComCtrlKestrix2.h"
#include "link/RSPort.h"
#include "platform/SerialDevice.h"
#include "platform/Time.h"

class PeerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetTimeScale(0.001);
    platform::DCB dcb{};
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = platform::NOPARITY;
    dcb.StopBits = platform::ONESTOPBIT;
    ASSERT_EQ(port.Open(peer.DeviceName(), dcb), PortOpenResult::kOpened);
    platform::SetTimeScale(1.0);
    ASSERT_TRUE(peer.SyncWith(port));
  }

  void TearDown() override {
    EXPECT_TRUE(peer.Finish()) << ::testing::PrintToString(peer.Errors());
    platform::SetTimeScale(0.001);
    port.Close();
    platform::SetTimeScale(1.0);
  }

  // Scaled milliseconds that fn takes.
  template <typename Fn>
  static uint32_t Elapsed(Fn fn) {
    const uint32_t start = platform::TickCount();
    fn();
    return platform::TickCount() - start;
  }

  ScriptedPeer peer;  // outlives the port, which closes first
  CRSPort port;
  CComCtrlKestrix2 proto;
};
