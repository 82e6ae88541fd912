// The recording choice read on other threads while the settings window
// changes it: every copy is one whole published choice.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "player/RecordSettingsCore.h"

TEST(RecordChoiceThreads, CopiesAreWholeWhileTheWindowChangesTheChoice) {
  std::atomic<bool> stop{false};
  std::atomic<int> torn{0}, reads{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 3; ++t)
    readers.emplace_back([&] {
      while (!stop) {
        RecordChoice c = CurrentRecordChoice();
        // The publisher pairs "as received" with "96" and own settings with "320".
        if (c.AsReceived != (c.Bitrate == "96")) ++torn;
        ++reads;
      }
    });
  for (int i = 0; i < 20000; ++i)
    PublishRecordChoice(i % 2 ? RecordChoice{false, "320"} : RecordChoice{true, "96"});
  while (reads < 1000) std::this_thread::yield();
  stop = true;
  for (auto& r : readers) r.join();
  EXPECT_EQ(torn, 0);
}
