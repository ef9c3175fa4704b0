#include "audio/MidiPlayer.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/CaptureMidiOut.h"
#include "platform/MidiOutSystem.h"
#include "tests/audio/SmfBuilder.h"
#include "tests/audio_output/OutputTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace output_test;
using Clock = std::chrono::steady_clock;
using Message = platform::MidiCaptureLog::Message;

std::string NoteOff(uint32_t delta, int key, int channel = 0) {
  return smf::Vlq(delta) + smf::Bytes({0x80 | channel, key, 0});
}

std::string Tempo(uint32_t delta, uint32_t microsPerQuarter) {
  return smf::Meta(delta, 0x51,
                   smf::Bytes({int(microsPerQuarter >> 16), int((microsPerQuarter >> 8) & 0xFF),
                               int(microsPerQuarter & 0xFF)}));
}

// A player on a capture output, and a folder for the MIDI files it plays.
struct PlayerRig {
  PlayerRig()
      : log(std::make_shared<platform::MidiCaptureLog>()), devices(Backends(log)), player(devices) {}
  static std::vector<std::unique_ptr<platform::MidiOutBackend>> Backends(
      std::shared_ptr<platform::MidiCaptureLog> log) {
    std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
    backends.push_back(std::make_unique<platform::CaptureMidiOut>(std::move(log)));
    return backends;
  }
  // Loads the file into the sequence as the game does.
  void Load(const std::string& bytes, bool buildBuffers = true) {
    const std::string path = folder / "music.mid";
    testing_support::WriteFile(path, bytes);
    ASSERT_TRUE(sequence.Load(path, false, buildBuffers)) << sequence.GetErrorText();
  }
  // The note messages captured (status 0x80 to 0x9F), with their bytes.
  std::vector<Message> Notes() {
    std::vector<Message> notes;
    for (const Message& message : log->Messages())
      if ((message.bytes[0] & 0xE0) == 0x80) notes.push_back(message);
    return notes;
  }
  size_t NoteCount() { return Notes().size(); }

  testing_support::TempDir folder;
  std::shared_ptr<platform::MidiCaptureLog> log;
  platform::MidiOutSystem devices;
  CMidiSequence sequence;
  CMidiPlayer player;
};

// Ports that come and go: the outputs say which port they were opened on; "Broken" fails to
// open, with its reason.
class ChangingPorts : public platform::MidiOutBackend {
 public:
  std::vector<platform::MidiDeviceName> ListDevices() override {
    std::vector<platform::MidiDeviceName> devices;
    for (const std::string& port : ports) devices.push_back({port, port});
    return devices;
  }
  std::unique_ptr<platform::MidiOutput> CreateOutput(const platform::MidiDeviceName& device) override {
    return std::make_unique<Output>(device.address, opened);
  }
  std::vector<std::string> ports;
  std::shared_ptr<std::vector<std::string>> opened = std::make_shared<std::vector<std::string>>();

 private:
  struct Output : platform::MidiOutput {
    Output(std::string port, std::shared_ptr<std::vector<std::string>> opened)
        : port(std::move(port)), opened(std::move(opened)) {}
    MMRESULT Open(std::string& errorText) override {
      if (port == "Broken") {
        errorText = "no audio output for the port";
        return MMSYSERR_NODRIVER;
      }
      opened->push_back(port);
      return MMSYSERR_NOERROR;
    }
    void Close() override {}
    void SendShort(uint32_t) override {}
    void SendLong(const uint8_t*, size_t) override {}
    std::string port;
    std::shared_ptr<std::vector<std::string>> opened;
  };
};

// One track of pairs of note-on and note-off, all at tick 0 but the first.
std::string ManyNotes(int pairs, uint32_t firstDelta = 0) {
  std::string events;
  for (int i = 0; i < pairs; ++i)
    events += smf::NoteOn(i == 0 ? firstDelta : 0, 40 + i % 40) + smf::NoteOn(0, 40 + i % 40, 0);
  return smf::Header(0, 1, 96) + smf::Track(events + smf::EndOfTrack());
}

TEST(MidiPlayer, OneBufferSequenceEndsAtItsFirstReturn) {
  PlayerRig rig;
  rig.Load(ManyNotes(10, 48));  // 250 ms in
  ASSERT_EQ(rig.sequence.GetBufferCount(), 1u);
  ASSERT_TRUE(rig.player.Open(MIDI_MAPPER)) << rig.player.GetErrorText();
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  EXPECT_TRUE(rig.player.IsPlaying());
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
  EXPECT_EQ(rig.NoteCount(), 20u);
  Pause(300);
  EXPECT_EQ(rig.NoteCount(), 20u);
}

TEST(MidiPlayer, TwoBufferSequenceEndsAtTheSecondReturn) {
  PlayerRig rig;
  rig.Load(ManyNotes(2200, 48));
  ASSERT_EQ(rig.sequence.GetBufferCount(), 2u);
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
  EXPECT_EQ(rig.NoteCount(), 4400u) << "every event of both buffers sounded";
}

TEST(MidiPlayer, ManyBufferSequencePlaysEveryBufferOnceEachRepeat) {
  PlayerRig rig;
  rig.Load(ManyNotes(9000, 24));
  ASSERT_GE(rig.sequence.GetBufferCount(), 4u);
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 1));
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
  const std::vector<Message> notes = rig.Notes();
  ASSERT_EQ(notes.size(), 36000u);
  for (size_t i = 0; i < notes.size(); ++i) {
    const size_t pair = (i % 18000) / 2;
    ASSERT_EQ(notes[i].bytes[1], 40 + pair % 40) << "message " << i;
  }
}

TEST(MidiPlayer, BuffersReturnedByStopDoNotEndTheNextPlay) {
  PlayerRig rig;
  rig.Load(ManyNotes(2200, 48));
  ASSERT_EQ(rig.sequence.GetBufferCount(), 2u);
  ASSERT_TRUE(rig.player.Open(0));
  for (int start = 0; start < 3; ++start) {
    ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
    rig.player.Stop();
  }
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
  EXPECT_EQ(rig.NoteCount(), 4400u);
}

TEST(MidiPlayer, RepeatsCountStartsAfterTheFirst) {
  for (int repeats : {0, 2}) {
    PlayerRig rig;
    rig.Load(ManyNotes(3, 24));
    ASSERT_TRUE(rig.player.Open(0));
    ASSERT_TRUE(rig.player.Play(&rig.sequence, repeats));
    ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
    Pause(200);
    EXPECT_EQ(rig.NoteCount(), 6u * (repeats + 1)) << "repeats " << repeats;
  }
}

TEST(MidiPlayer, EndlessRepeatsUntilStopThenSilence) {
  PlayerRig rig;
  rig.Load(ManyNotes(3, 24));  // 125 ms a play
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, -1));
  ASSERT_TRUE(WaitUntil([&] { return rig.NoteCount() >= 6 * 4; }));
  EXPECT_TRUE(rig.player.IsPlaying());
  rig.player.Stop();
  EXPECT_FALSE(rig.player.IsPlaying());
  const size_t count = rig.log->Messages().size();
  Pause(400);
  EXPECT_EQ(rig.log->Messages().size(), count);
  rig.player.Stop();  // not playing: nothing happens
  EXPECT_EQ(rig.log->Messages().size(), count);
}

TEST(MidiPlayer, PlayWhilePlayingChangesNothing) {
  PlayerRig rig;
  rig.Load(smf::Header(0, 1, 96) +
           smf::Track(smf::NoteOn(0, 60) + NoteOff(96, 60) + smf::NoteOn(0, 62) +
                      NoteOff(96, 62) + smf::EndOfTrack()));
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.NoteCount() == 1; }));
  CMidiSequence other;
  EXPECT_FALSE(rig.player.Play(&other, 5));
  EXPECT_FALSE(rig.player.Play(&rig.sequence, 5));
  EXPECT_TRUE(rig.player.IsPlaying());
  EXPECT_EQ(rig.player.GetErrorText(), "");
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
  Pause(200);
  EXPECT_EQ(rig.NoteCount(), 4u) << "the first play went on, once";
}

TEST(MidiPlayer, SequenceWithoutBuffersFailsToStart) {
  PlayerRig rig;
  rig.Load(ManyNotes(3), false);
  ASSERT_EQ(rig.sequence.GetBufferCount(), 0u);
  ASSERT_TRUE(rig.player.Open(0));
  EXPECT_FALSE(rig.player.Play(&rig.sequence, 0));
  EXPECT_EQ(rig.player.GetErrorText(), "buffer index (0) out of bounds.");
  EXPECT_FALSE(rig.player.IsPlaying());
}

TEST(MidiPlayer, ReportsFailuresWithTheirTexts) {
  PlayerRig rig;
  rig.Load(ManyNotes(3));
  EXPECT_FALSE(rig.player.Play(&rig.sequence, 0));
  EXPECT_EQ(rig.player.GetErrorText(), "Failed to prepare buffer header: 5");
  EXPECT_FALSE(rig.player.Open(7));
  EXPECT_EQ(rig.player.GetErrorText(), "midiStreamOpen() failed: 2");
  EXPECT_FALSE(rig.player.IsOpen());

  platform::MidiOutSystem none({});
  CMidiPlayer silent(none);
  EXPECT_FALSE(silent.Open(MIDI_MAPPER));
  EXPECT_EQ(silent.GetErrorText(), "midiStreamOpen() failed: 68");
  EXPECT_FALSE(silent.Play(nullptr, 0));

  auto ports = std::make_unique<ChangingPorts>();
  ports->ports = {"Broken"};
  std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
  backends.push_back(std::move(ports));
  platform::MidiOutSystem broken(std::move(backends));
  CMidiPlayer unheard(broken);
  EXPECT_FALSE(unheard.Open(0));
  EXPECT_EQ(unheard.GetErrorText(), "midiStreamOpen() failed: 6 (no audio output for the port)");
}

TEST(MidiPlayer, OpensADeviceByTheNameItHasWhenItOpens) {
  auto backend = std::make_unique<ChangingPorts>();
  ChangingPorts& ports = *backend;
  std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
  backends.push_back(std::move(backend));
  platform::MidiOutSystem devices(std::move(backends));
  CMidiPlayer player(devices);
  ports.ports = {"Keyboard", "Synth"};
  ASSERT_TRUE(player.OpenByName("synth"));
  // The keyboard is unplugged: the synthesizer is now the first port.
  ports.ports = {"Synth"};
  ASSERT_TRUE(player.OpenByName("Synth"));
  ports.ports = {"Keyboard", "Synth"};
  ASSERT_TRUE(player.OpenByName("No such port"));
  ASSERT_TRUE(player.OpenByName("<Automatic>"));
  EXPECT_EQ(*ports.opened, (std::vector<std::string>{"Synth", "Synth", "Keyboard", "Keyboard"}));
}

TEST(MidiPlayer, NullSequenceStopsThePlay) {
  PlayerRig rig;
  rig.Load(ManyNotes(3, 960));
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, -1));
  EXPECT_FALSE(rig.player.Play(nullptr, 0));
  EXPECT_FALSE(rig.player.IsPlaying());
}

TEST(MidiPlayer, StopSilencesEveryNoteStillSounding) {
  PlayerRig rig;
  rig.Load(smf::Header(1, 2, 96) +
           smf::Track(smf::NoteOn(0, 60, 100, 0) + smf::NoteOn(0, 67, 100, 0) +
                      NoteOff(9600, 60) + NoteOff(0, 67) + smf::EndOfTrack()) +
           smf::Track(smf::NoteOn(0, 48, 90, 9) + smf::NoteOn(0, 50, 90, 3) + NoteOff(9600, 48, 9) +
                      smf::EndOfTrack()));
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  ASSERT_TRUE(WaitUntil([&] { return rig.NoteCount() == 4; }));
  rig.player.Stop();
  // Every key switched on has been switched off again on its channel.
  std::map<std::pair<int, int>, int> sounding;
  for (const Message& message : rig.Notes()) {
    const int channel = message.bytes[0] & 0x0F;
    const bool on = (message.bytes[0] & 0xF0) == 0x90 && message.bytes[2] > 0;
    sounding[{channel, message.bytes[1]}] += on ? 1 : -1;
  }
  EXPECT_EQ(sounding.size(), 4u);
  for (const auto& [note, count] : sounding)
    EXPECT_EQ(count, 0) << "channel " << note.first << " key " << note.second;
  // Closing after the stop has nothing left to silence: sustain off and all notes off went to
  // each of the 16 channels once.
  rig.player.Close();
  size_t controllers = 0;
  for (const Message& message : rig.log->Messages())
    if ((message.bytes[0] & 0xF0) == 0xB0) ++controllers;
  EXPECT_EQ(controllers, 2u * 16u);
}

TEST(MidiPlayer, CloseUnpreparesTheBuffersSoTheSequenceCanBeReloaded) {
  PlayerRig rig;
  rig.Load(ManyNotes(2200, 960));
  ASSERT_TRUE(rig.player.Open(0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  rig.player.Stop();
  rig.player.Close();
  EXPECT_FALSE(rig.player.IsOpen());
  for (uint32_t i = 0; i < rig.sequence.GetBufferCount(); ++i)
    EXPECT_EQ(rig.sequence.GetBuffer(i)->dwFlags & (MHDR_PREPARED | MHDR_INQUEUE), 0u);
  rig.sequence.Clear();
  ASSERT_TRUE(rig.player.Open(0));
  rig.Load(ManyNotes(2, 0));
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
}

// The times of the note messages follow the tempo map of the file: ticks become microseconds
// at the tempo in force, 500,000 per quarter note until the first tempo event.
TEST(MidiPlayer, EventTimesFollowTheTempoChanges) {
  PlayerRig rig;
  const int division = 480;
  rig.Load(smf::Header(1, 2, division) +
           smf::Track(smf::NoteOn(240, 60) +           // tick 240
                      Tempo(240, 600000) +             // tick 480
                      NoteOff(240, 60) +               // tick 720
                      Tempo(240, 250000) +             // tick 960
                      smf::NoteOn(480, 62) +           // tick 1440
                      NoteOff(480, 62) + smf::EndOfTrack()) +  // tick 1920
           smf::Track(smf::NoteOn(600, 70, 80, 1) +    // tick 600
                      NoteOff(600, 70, 1) +            // tick 1200
                      smf::EndOfTrack()));
  // The tempo map: (start tick, microseconds per quarter note).
  const std::vector<std::pair<uint32_t, uint32_t>> tempoMap = {{0, 500000}, {480, 600000},
                                                                 {960, 250000}};
  auto expectedMs = [&](uint32_t tick) {
    double micros = 0;
    for (size_t i = 0; i < tempoMap.size(); ++i) {
      const uint32_t begin = tempoMap[i].first;
      const uint32_t end = i + 1 < tempoMap.size() ? tempoMap[i + 1].first : UINT32_MAX;
      if (tick <= begin) break;
      micros += double(std::min(tick, end) - begin) * tempoMap[i].second / division;
    }
    return micros / 1000.0;
  };
  const std::vector<uint32_t> noteTicks = {240, 600, 720, 1200, 1440, 1920};

  ASSERT_TRUE(rig.player.Open(0));
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(rig.player.Play(&rig.sequence, 0));
  ASSERT_TRUE(WaitUntil([&] { return !rig.player.IsPlaying(); }));
  const std::vector<Message> notes = rig.Notes();
  ASSERT_EQ(notes.size(), noteTicks.size());
  for (size_t i = 0; i < notes.size(); ++i) {
    const double actual = std::chrono::duration<double, std::milli>(notes[i].time - start).count();
    const double expected = expectedMs(noteTicks[i]);
    EXPECT_GE(actual, expected - 0.5) << "note " << i << " came early";
    EXPECT_LT(actual, expected + 300) << "note " << i;
  }
  EXPECT_EQ(notes[1].bytes, (std::vector<uint8_t>{0x91, 70, 80}));
}

}  // namespace
