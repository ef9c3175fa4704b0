#include "audio/WavePlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/audio_output/OutputTestSupport.h"

namespace {

using namespace output_test;
using Clock = std::chrono::steady_clock;

// Three buffers and a bit: about 0.8 s at the slow format.
constexpr size_t kSoundBytes = 3 * 8192 + 1000;

class WavePlayerRepeats : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(WavePlayerRepeats, PlaysTheSoundAsOftenAsCountedThenEndsOnce) {
  const int loopCount = GetParam().first;
  const int expectedPlays = GetParam().second;
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(kSoundBytes));
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, loopCount, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  Pause(300);
  EXPECT_EQ(rig.listener.Ends(), 1);
  EXPECT_EQ(rig.probe->Bytes(), Repeated(filler.Bytes(), expectedPlays));
  EXPECT_EQ(filler.Rewinds(), expectedPlays);
}

INSTANTIATE_TEST_SUITE_P(Counts, WavePlayerRepeats,
                         ::testing::Values(std::make_pair(0, 1), std::make_pair(1, 1),
                                           std::make_pair(3, 3)));

TEST(WavePlayer, EndlessRepeatsUntilStop) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  const std::string sound = PatternBytes(9000);
  MemoryFiller filler(sound);
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, -1, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.probe->Bytes().size() > 3 * sound.size(); }));
  EXPECT_TRUE(rig.player->Stop());
  EXPECT_FALSE(rig.player->IsPlaying());
  const std::string played = rig.probe->Bytes();
  EXPECT_EQ(played, Repeated(sound, 5).substr(0, played.size()));
  Pause(400);
  EXPECT_EQ(rig.probe->Bytes(), played) << "nothing plays after Stop";
  EXPECT_EQ(rig.listener.Ends(), 0) << "Stop does not tell the listener";
}

TEST(WavePlayer, SeamlessRepeatRefillsWhileTheOtherBufferPlays) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(kSoundBytes));
  std::vector<bool> pendingAtRefill;
  filler.onFirstFillAfterRewind = [&] {
    pendingAtRefill.push_back(!rig.probe->AllSoundedBy(Clock::now()));
  };
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 3, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  EXPECT_EQ(rig.probe->Bytes(), Repeated(filler.Bytes(), 3));
  // The first entry is Play's own start; the repeats follow without the device running dry.
  ASSERT_EQ(pendingAtRefill.size(), 3u);
  EXPECT_TRUE(pendingAtRefill[1]);
  EXPECT_TRUE(pendingAtRefill[2]);
}

// The frames of the repeats as the null output sounded them: for each repeat the time its first
// frame began and its last frame ended.
struct RepeatSpan {
  Clock::time_point start, end;
};

std::vector<RepeatSpan> RepeatSpans(const std::vector<platform::NullWaveOutProbe::Segment>& segments,
                                    uint64_t framesPerRepeat) {
  std::vector<RepeatSpan> spans;
  uint64_t frames = 0;
  for (const auto& segment : segments) {
    if (frames % framesPerRepeat == 0) spans.push_back(RepeatSpan{segment.start, segment.End()});
    frames += segment.frames;
    spans.back().end = segment.End();
  }
  return spans;
}

TEST(WavePlayer, PausesBetweenRepeatsByDelaysFromTheStandardGenerator) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  const int delayMin = 60, delayMax = 140;
  std::srand(77);
  const int r1 = std::rand(), r2 = std::rand(), r3 = std::rand();
  std::srand(77);
  MemoryFiller filler(PatternBytes(5000));
  std::vector<bool> pendingAtRestart;
  filler.onFirstFillAfterRewind = [&] {
    pendingAtRestart.push_back(!rig.probe->AllSoundedBy(Clock::now()));
  };
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 3, delayMin, delayMax));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  EXPECT_EQ(std::rand(), r3) << "one value drawn per pause";
  EXPECT_EQ(rig.probe->Bytes(), Repeated(filler.Bytes(), 3));

  const std::vector<RepeatSpan> spans = RepeatSpans(rig.probe->Segments(), 5000);
  ASSERT_EQ(spans.size(), 3u);
  const int expected[] = {delayMin + r1 % (delayMax - delayMin + 1),
                          delayMin + r2 % (delayMax - delayMin + 1)};
  for (int i = 0; i < 2; ++i) {
    const auto gap = spans[i + 1].start - spans[i].end;
    EXPECT_GE(gap, std::chrono::milliseconds(expected[i]) - std::chrono::milliseconds(1))
        << "pause " << i;
    EXPECT_LT(gap, std::chrono::milliseconds(expected[i]) + std::chrono::seconds(5));
  }
  ASSERT_EQ(pendingAtRestart.size(), 3u);
  EXPECT_FALSE(pendingAtRestart[1]) << "a repeat after a pause starts once the sound has ended";
  EXPECT_FALSE(pendingAtRestart[2]);
}

TEST(WavePlayer, RepeatDelayStaysWithinItsBounds) {
  for (int r : {0, 1, 5, 6, 17, 32767}) {
    const int delay = CWavePlayer::RepeatDelay(0, 5, r);
    EXPECT_GE(delay, 0);
    EXPECT_LE(delay, 5);
    EXPECT_EQ(delay, r % 6);
    EXPECT_EQ(CWavePlayer::RepeatDelay(250, 250, r), 250);
  }
  EXPECT_EQ(CWavePlayer::RepeatDelay(100, 2000, 32767), 100 + 32767 % 1901);
}

TEST(WavePlayer, PausesSpanAtMost32767MillisecondsAboveTheirMinimum) {
  int largest = 0;
  for (int i = 0; i < 2000; ++i) {
    const int r = CWavePlayer::DrawDelayValue();
    ASSERT_GE(r, 0);
    largest = std::max(largest, r);
  }
  EXPECT_LE(largest, 32767);
  EXPECT_GT(largest, 16383) << "all 15 bits are drawn";
}

TEST(WavePlayer, ZeroDelayStillDrainsBeforeTheRepeat) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(5000));
  std::vector<bool> pendingAtRestart;
  filler.onFirstFillAfterRewind = [&] {
    pendingAtRestart.push_back(!rig.probe->AllSoundedBy(Clock::now()));
  };
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 2, 0, 1));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  EXPECT_EQ(rig.probe->Bytes(), Repeated(filler.Bytes(), 2));
  ASSERT_EQ(pendingAtRestart.size(), 2u);
  EXPECT_FALSE(pendingAtRestart[1]) << "bounds (0, 1) pause, if only for a moment";
}

TEST(WavePlayer, TellsTheListenerOnceOnItsWorkerAfterEverythingSounded) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(kSoundBytes));
  for (int sound = 1; sound <= 2; ++sound) {
    ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 0, 0, 0));
    ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == sound; }));
  }
  Pause(300);
  ASSERT_EQ(rig.listener.Ends(), 2);
  for (bool allSounded : rig.listener.AllSounded()) EXPECT_TRUE(allSounded);
  for (std::thread::id thread : rig.listener.Threads())
    EXPECT_NE(thread, std::this_thread::get_id());
  EXPECT_TRUE(rig.player->IsPlaying()) << "only Stop clears the playing flag";
}

TEST(WavePlayer, StaleNoticesAfterStopRefillNothing) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  // The worker is held inside the listener while the application stops and starts again, so
  // that the notices of Stop's reset reach it only after Play has queued the buffers anew.
  std::atomic<bool> inListener{false}, release{false};
  rig.listener.onEnd = [&] {
    inListener = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  MemoryFiller opening(PatternBytes(1000, 1));
  ASSERT_TRUE(rig.player->Play(&opening, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return inListener.load(); }));

  MemoryFiller filler(PatternBytes(kSoundBytes, 2));
  rig.probe->Freeze(true);
  rig.probe->Clear();
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(rig.player->Stop());
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 0, 0, 0));
  EXPECT_EQ(filler.Fills(), 4);
  release = true;
  Pause(200);
  EXPECT_EQ(filler.Fills(), 4) << "the notices of Stop's reset refill nothing";
  rig.probe->Freeze(false);
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 2; }));
  EXPECT_EQ(rig.probe->Bytes(), filler.Bytes());
}

TEST(WavePlayer, StaleNoticesAfterPlayRefillNothing) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller first(PatternBytes(kSoundBytes, 1));
  MemoryFiller second(PatternBytes(kSoundBytes, 2));
  rig.probe->Freeze(true);
  ASSERT_TRUE(rig.player->Play(&first, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(rig.player->Play(&second, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(rig.player->Play(&second, &rig.listener, 0, 0, 0));
  Pause(200);
  EXPECT_EQ(first.Fills(), 2);
  EXPECT_EQ(second.Fills(), 4);
  rig.probe->Freeze(false);
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  EXPECT_EQ(rig.probe->Bytes(), second.Bytes());
  EXPECT_EQ(first.Fills(), 2);
}

TEST(WavePlayer, NewSoundDuringAPauseBetweenRepeatsPlaysWhole) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller first(PatternBytes(3000, 1));
  MemoryFiller second(PatternBytes(kSoundBytes, 2));
  ASSERT_TRUE(rig.player->Play(&first, &rig.listener, 2, 5000, 5000));
  ASSERT_TRUE(WaitUntil([&] { return rig.probe->AllSoundedBy(Clock::now()) &&
                                     rig.probe->FramesTaken() == 3000; }));
  Pause(100);
  rig.probe->Clear();
  ASSERT_TRUE(rig.player->Play(&second, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }, std::chrono::seconds(4)));
  EXPECT_EQ(rig.probe->Bytes(), second.Bytes());
  EXPECT_EQ(first.Rewinds(), 1);
}

TEST(WavePlayer, StopDuringAPauseBetweenRepeatsEndsTheSound) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(3000));
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 2, 300, 300));
  ASSERT_TRUE(WaitUntil([&] { return rig.probe->AllSoundedBy(Clock::now()) &&
                                     rig.probe->FramesTaken() == 3000; }));
  ASSERT_TRUE(rig.player->Stop());
  Pause(700);
  EXPECT_EQ(rig.probe->FramesTaken(), 3000u);
  EXPECT_EQ(filler.Rewinds(), 1);
  EXPECT_EQ(rig.listener.Ends(), 0);
}

TEST(WavePlayer, StopWaitsForAFillInProgress) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(10 * 8192));
  std::atomic<bool> inFill{false}, release{false};
  filler.onFill = [&](int fillNumber) {
    if (fillNumber != 3) return;  // the first refill on the worker
    inFill = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, -1, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return inFill.load(); }));
  std::atomic<bool> stopped{false};
  std::thread stopper([&] {
    rig.player->Stop();
    stopped = true;
    filler.CloseSound();
  });
  Pause(200);
  EXPECT_FALSE(stopped) << "Stop returned while the worker was still filling";
  release = true;
  stopper.join();
  EXPECT_TRUE(stopped);
  const int fills = filler.Fills();
  Pause(400);
  EXPECT_EQ(filler.Fills(), fills);
  EXPECT_FALSE(filler.FilledWhileClosed());
}

TEST(WavePlayer, ShutdownWhilePlayingLeavesNothingBehind) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(kSoundBytes));
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, -1, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return filler.Fills() >= 4; }));
  rig.player->Shutdown();
  filler.CloseSound();
  EXPECT_FALSE(rig.player->IsInitialized());
  EXPECT_FALSE(rig.player->IsDeviceOpen());
  Pause(300);
  EXPECT_FALSE(filler.FilledWhileClosed());

  // The engine starts over after a shutdown, and a destroyed engine stops its sound.
  MemoryFiller again(PatternBytes(kSoundBytes));
  ASSERT_TRUE(rig.OpenSlow());
  ASSERT_TRUE(rig.player->Play(&again, &rig.listener, -1, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return again.Fills() >= 3; }));
  rig.player.reset();
  again.CloseSound();
  Pause(300);
  EXPECT_FALSE(again.FilledWhileClosed());
}

TEST(WavePlayer, PlayWithoutFillerFailsButKeepsTheListener) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(5000));
  RecordingListener first, second;
  ASSERT_TRUE(rig.player->Play(&filler, &first, 0, 0, 0));
  EXPECT_FALSE(rig.player->Play(nullptr, &second, 0, 0, 0));
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALPARAM);
  EXPECT_EQ(rig.player->GetLastErrorText(),
            "An invalid parameter was passed to a system function.");
  ASSERT_TRUE(WaitUntil([&] { return second.Ends() == 1; }));
  EXPECT_EQ(first.Ends(), 0);
}

// A device whose output fails while it plays (a sound server that went away) ends the sound as
// if it had finished, once, with the failure recorded; the next Play opens the device again.
TEST(WavePlayer, DeviceFailingWhilePlayingEndsTheSoundAndIsReopened) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(2 * 8192));
  rig.probe->FailAfterFrames(8192 + 2048);  // in the second buffer (one byte a frame)
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 3, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }, std::chrono::seconds(5)));
  Pause(100);
  EXPECT_EQ(rig.listener.Ends(), 1);
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_NODRIVER);
  EXPECT_EQ(rig.player->GetLastErrorText(), "the sound output failed: Input/output error");

  rig.probe->FailAfterFrames(UINT64_MAX);
  rig.probe->Clear();
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 1, 0, 0)) << rig.player->GetLastErrorText();
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 2; }, std::chrono::seconds(5)));
  EXPECT_EQ(rig.probe->Bytes(), filler.Bytes());
}

TEST(WavePlayer, SoundWithoutDataStartsAndNeverEnds) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler("");
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 0, 0, 0));
  EXPECT_TRUE(rig.player->IsPlaying());
  Pause(300);
  EXPECT_EQ(rig.listener.Ends(), 0);
  EXPECT_EQ(filler.Fills(), 1);
}

TEST(WavePlayer, ReportsMisuseWithItsCodesAndTexts) {
  NullRig rig;
  const WAVEFORMATEX format = SlowFormat();
  MemoryFiller filler("abc");
  EXPECT_FALSE(rig.player->Open(&format));
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALHANDLE);
  EXPECT_FALSE(rig.player->Close());
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALHANDLE);
  EXPECT_FALSE(rig.player->Play(&filler, nullptr, 0, 0, 0));
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALHANDLE);
  EXPECT_FALSE(rig.player->Stop());
  EXPECT_EQ(rig.player->GetLastErrorText(), "The specified device handle is invalid.");

  ASSERT_TRUE(rig.player->Init(""));
  EXPECT_FALSE(rig.player->Open(nullptr));
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALPARAM);
  EXPECT_FALSE(rig.player->Close()) << "no device is open";
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALHANDLE);
  EXPECT_FALSE(rig.player->Play(&filler, nullptr, 0, 0, 0)) << "no device is open";
  EXPECT_EQ(rig.player->GetLastErrorCode(), MMSYSERR_INVALHANDLE);

  WAVEFORMATEX adpcm = format;
  adpcm.wFormatTag = 2;
  EXPECT_FALSE(rig.player->Open(&adpcm));
  EXPECT_EQ(rig.player->GetLastErrorCode(), WAVERR_BADFORMAT);
  WAVEFORMATEX badAlign = format;
  badAlign.nBlockAlign = 0;
  EXPECT_FALSE(rig.player->Open(&badAlign));
  EXPECT_EQ(rig.player->GetLastErrorCode(), WAVERR_BADFORMAT);

  ASSERT_TRUE(rig.player->Open(&format));
  EXPECT_EQ(rig.player->GetBytesPerSample(), 1);
  const WAVEFORMATEX wide = Pcm(2, 44100, 16);
  ASSERT_TRUE(rig.player->Open(&wide)) << "an open device is closed first";
  EXPECT_EQ(rig.player->GetBytesPerSample(), 2);
  EXPECT_TRUE(rig.player->Close());
}

TEST(WavePlayer, CloseWhilePlayingSilencesTheSound) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(kSoundBytes));
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, -1, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return filler.Fills() >= 3; }));
  EXPECT_TRUE(rig.player->Close());
  const uint64_t taken = rig.probe->FramesTaken();
  const int fills = filler.Fills();
  Pause(400);
  EXPECT_EQ(rig.probe->FramesTaken(), taken);
  EXPECT_EQ(filler.Fills(), fills);
}

TEST(WavePlayer, SetDeviceWhilePlayingRestartsTheSound) {
  NullRig rig;
  ASSERT_TRUE(rig.OpenSlow());
  MemoryFiller filler(PatternBytes(kSoundBytes));
  ASSERT_TRUE(rig.player->Play(&filler, &rig.listener, 0, 0, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.probe->FramesTaken() > 4000; }));
  EXPECT_TRUE(rig.player->SetDevice("null"));
  EXPECT_EQ(filler.Rewinds(), 2);
  ASSERT_TRUE(WaitUntil([&] { return rig.listener.Ends() == 1; }));
  const std::string played = rig.probe->Bytes();
  ASSERT_GT(played.size(), filler.Bytes().size());
  EXPECT_EQ(played.substr(played.size() - filler.Bytes().size()), filler.Bytes());
}

}  // namespace
