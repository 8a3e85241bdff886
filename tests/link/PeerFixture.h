#pragma once
// A protocol object talking through a real CRSPort to a scripted peer on a
// pseudo-terminal.
//
// Opening and closing the port each sleep 500 ms, so they run under a tiny
// time scale. A test that expects an answer in time runs at scale 1 (a real
// 5 s read time-out is no race against the pty); a test that waits out a
// logger time-out picks a small scale through timeScale, which puts scale 1
// back after the test whichever way it ends.

#include <gtest/gtest.h>

#include "link/ComCtrlKestrix2.h"
#include "link/RSPort.h"
#include "platform/Time.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/ScriptedPeer.h"
#include "tests/support/SerialSettings.h"

class PeerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      const ScopedTimeScale fast(0.001);
      ASSERT_EQ(port.Open(peer.DeviceName(), LoggerLineSettings()), PortOpenResult::kOpened);
    }
    ASSERT_TRUE(peer.SyncWith(port));
  }

  void TearDown() override {
    EXPECT_TRUE(peer.Finish()) << ::testing::PrintToString(peer.Errors());
    const ScopedTimeScale fast(0.001);
    port.Close();
  }

  // Declared first: restores after the port and the peer are gone.
  ScopedTimeScale timeScale{1.0};
  ScriptedPeer peer;  // outlives the port, which closes first
  CRSPort port;
  CComCtrlKestrix2 proto;
};
