#include "platform/MidiStream.h"

#include <gtest/gtest.h>

#include "platform/CaptureMidiOut.h"
#include "platform/MidiOutSystem.h"
#include "tests/audio_output/MidiTestSupport.h"
#include "tests/audio_output/OutputTestSupport.h"

namespace {

using namespace output_test;
using Clock = std::chrono::steady_clock;
using Message = platform::MidiCaptureLog::Message;

struct DoneRecord {
  MIDIHDR* header;
  uintptr_t tag;
  std::thread::id thread;
};

struct StreamRig {
  StreamRig() : log(std::make_shared<platform::MidiCaptureLog>()) {
    platform::CaptureMidiOut capture(log);
    std::string details;
    result = platform::MidiStream::Open(capture.CreateOutput({"Capture", "Capture"}), &OnDone,
                                        reinterpret_cast<uintptr_t>(this), stream, details);
  }
  static void OnDone(platform::MidiStream*, uint32_t message, uintptr_t instance,
                     uintptr_t param1, uintptr_t param2) {
    auto* rig = reinterpret_cast<StreamRig*>(instance);
    if (message != MOM_DONE) return;
    std::lock_guard<std::mutex> lock(rig->mutex);
    rig->done.push_back(
        DoneRecord{reinterpret_cast<MIDIHDR*>(param1), param2, std::this_thread::get_id()});
  }
  size_t DoneCount() {
    std::lock_guard<std::mutex> lock(mutex);
    return done.size();
  }
  void SetDivision(uint32_t division) {
    platform::MIDIPROPTIMEDIV property{8, division};
    ASSERT_EQ(stream->Property(&property, platform::MIDIPROP_SET | platform::MIDIPROP_TIMEDIV),
              MMSYSERR_NOERROR);
  }
  void Queue(MIDIHDR* header) {
    ASSERT_EQ(stream->PrepareHeader(header), MMSYSERR_NOERROR);
    ASSERT_EQ(stream->Out(header), MMSYSERR_NOERROR);
  }
  // Starts playing and notes the time, which no event may precede.
  void Start() {
    start = Clock::now();
    ASSERT_EQ(stream->Restart(), MMSYSERR_NOERROR);
  }
  // Milliseconds from the start to each captured message.
  std::vector<double> MessageTimes() {
    std::vector<double> times;
    for (const Message& message : log->Messages())
      times.push_back(std::chrono::duration<double, std::milli>(message.time - start).count());
    return times;
  }

  std::shared_ptr<platform::MidiCaptureLog> log;
  std::unique_ptr<platform::MidiStream> stream;
  MMRESULT result;
  Clock::time_point start;
  std::mutex mutex;
  std::vector<DoneRecord> done;
};

// Each message came no earlier than its time and not absurdly late.
void ExpectTimes(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_GE(actual[i], expected[i] - 0.5) << "message " << i;
    EXPECT_LT(actual[i], expected[i] + 300) << "message " << i;
  }
}

TEST(MidiStream, TimesEventsByDivisionAndTempoEvents) {
  StreamRig rig;
  ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
  rig.SetDivision(480);
  EventBuffer buffer;
  buffer.Short(0, 0x90, 60, 100)       // 0 ms
      .Short(240, 0x80, 60, 0)         // 250 ms at the default 500,000 us per quarter note
      .Tempo(240, 250000)              // 500 ms
      .Short(0, 0x91, 62, 90)          // 500 ms
      .Nop(480)                        // 750 ms
      .Short(480, 0x81, 62, 0)         // 1000 ms
      .Tempo(0, 1000000)
      .Short(96, 0xC2, 5);             // 1200 ms
  rig.Queue(buffer.Header());
  rig.Start();
  ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 1; }));
  ExpectTimes(rig.MessageTimes(), {0, 250, 500, 1000, 1200});
  const std::vector<Message> messages = rig.log->Messages();
  EXPECT_EQ(messages[0].bytes, (std::vector<uint8_t>{0x90, 60, 100}));
  EXPECT_EQ(messages[4].bytes, (std::vector<uint8_t>{0xC2, 5}));
}

TEST(MidiStream, TimesEventsBySmpteDivisionsIgnoringTempo) {
  for (uint32_t framesPerSecond : {25u, 29u}) {
    StreamRig rig;
    ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
    const uint32_t ticksPerFrame = framesPerSecond == 25 ? 40 : 100;
    rig.SetDivision(((256 - framesPerSecond) << 8) | ticksPerFrame);
    EventBuffer buffer;
    buffer.Short(0, 0x90, 60, 100).Tempo(0, 2000000).Short(300, 0x80, 60).Short(300, 0x90, 61, 1);
    rig.Queue(buffer.Header());
    rig.Start();
    ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 1; }));
    const double msPerTick =
        framesPerSecond == 25 ? 1.0 : 1000.0 / (29.97 * static_cast<double>(ticksPerFrame));
    ExpectTimes(rig.MessageTimes(), {0, 300 * msPerTick, 600 * msPerTick});
  }
}

TEST(MidiStream, ReturnsBuffersInOrderOnItsOwnThreadWithTheirTags) {
  StreamRig rig;
  ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
  EventBuffer first, second;
  first.Short(0, 0x90, 60, 100).Short(48, 0x80, 60);
  second.Short(48, 0x90, 64, 100).Short(48, 0x80, 64);
  MIDIHDR* headers[] = {first.Header(), second.Header()};
  headers[0]->dwUser = 7;
  headers[1]->dwUser = 8;
  rig.Queue(headers[0]);
  rig.Queue(headers[1]);
  rig.Start();
  ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 2; }));
  std::lock_guard<std::mutex> lock(rig.mutex);
  EXPECT_EQ(rig.done[0].header, headers[0]);
  EXPECT_EQ(rig.done[0].tag, 7u);
  EXPECT_EQ(rig.done[1].header, headers[1]);
  EXPECT_EQ(rig.done[1].tag, 8u);
  for (const DoneRecord& done : rig.done) EXPECT_NE(done.thread, std::this_thread::get_id());
  EXPECT_EQ(headers[1]->dwFlags, MHDR_PREPARED | MHDR_DONE);
  // The second buffer follows the first without a break: 48 ticks at 96 per quarter = 250 ms.
  ExpectTimes(rig.MessageTimes(), {0, 250, 500, 750});
}

TEST(MidiStream, StopSilencesEveryNoteAndReturnsEveryBuffer) {
  StreamRig rig;
  ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
  EventBuffer buffer;
  buffer.Short(0, 0x90, 60, 100)
      .Short(0, 0x95, 72, 80)
      .Short(0, 0x90, 64, 0)   // a note-on without velocity ends a note
      .Short(0, 0x9F, 127, 1)
      .Short(0, 0x8F, 127, 0)
      .Short(9600, 0x80, 60);  // far in the future
  EventBuffer waiting;
  waiting.Short(0, 0x90, 40, 100);
  rig.Queue(buffer.Header());
  rig.Queue(waiting.Header());
  rig.Start();
  ASSERT_TRUE(WaitUntil([&] { return rig.log->Messages().size() == 5; }));
  rig.log->Clear();
  ASSERT_EQ(rig.stream->Stop(), MMSYSERR_NOERROR);
  EXPECT_EQ(buffer.ExistingHeader()->dwFlags, MHDR_PREPARED | MHDR_DONE);
  EXPECT_EQ(waiting.ExistingHeader()->dwFlags, MHDR_PREPARED | MHDR_DONE);
  ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 2; }));

  std::vector<std::vector<uint8_t>> sent;
  for (const Message& message : rig.log->Messages()) sent.push_back(message.bytes);
  ASSERT_EQ(sent.size(), 2u + 32u);
  EXPECT_EQ(sent[0], (std::vector<uint8_t>{0x80, 60, 0}));
  EXPECT_EQ(sent[1], (std::vector<uint8_t>{0x85, 72, 0}));
  for (int channel = 0; channel < 16; ++channel) {
    EXPECT_EQ(sent[2 + 2 * channel], (std::vector<uint8_t>{uint8_t(0xB0 | channel), 64, 0}));
    EXPECT_EQ(sent[3 + 2 * channel], (std::vector<uint8_t>{uint8_t(0xB0 | channel), 123, 0}));
  }
  Pause(100);
  EXPECT_EQ(rig.log->Messages().size(), sent.size()) << "nothing plays after Stop";
}

TEST(MidiStream, StopRewindsToTheStartAndTheDefaultTempo) {
  StreamRig rig;
  ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
  EventBuffer buffer;
  buffer.Tempo(0, 100000).Short(96, 0x90, 60, 1).Short(96, 0x80, 60);  // 0, 100, 200 ms
  rig.Queue(buffer.Header());
  rig.Start();
  ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 1; }));
  rig.stream->Stop();
  rig.log->Clear();
  EventBuffer again;
  again.Short(96, 0x90, 61, 1);  // 500 ms at the default tempo
  rig.Queue(again.Header());
  rig.Start();
  ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 2; }));
  ExpectTimes(rig.MessageTimes(), {500});
}

TEST(MidiStream, SendsSystemExclusiveButNotMetaRecordsAndStopsAtDamage) {
  StreamRig rig;
  ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
  // A file's system-exclusive record: status, length byte, data.
  const std::vector<uint8_t> sysex{0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
  EventBuffer buffer;
  buffer.Long(0, MEVT_LONGMSG, sysex)
      .Long(0, MEVT_LONGMSG, {0xFF, 0x06, 0x02, 'h', 'i'})
      .Long(0, MEVT_COMMENT, {0xFF, 0x01, 0x01, 'x'})
      .Short(0, 0x90, 60, 1)
      .Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0x80});  // claims 65,535 parameter bytes
  EventBuffer after;
  after.Short(0, 0x80, 60);
  rig.Queue(buffer.Header());
  rig.Queue(after.Header());
  rig.Start();
  ASSERT_TRUE(WaitUntil([&] { return rig.DoneCount() == 2; }));
  const std::vector<Message> messages = rig.log->Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].bytes, (std::vector<uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  EXPECT_EQ(messages[1].bytes, (std::vector<uint8_t>{0x90, 60, 1}));
  EXPECT_EQ(messages[2].bytes, (std::vector<uint8_t>{0x80, 60, 0}));
}

TEST(MidiStream, ChecksHeadersAndProperties) {
  StreamRig rig;
  ASSERT_EQ(rig.result, MMSYSERR_NOERROR);
  EventBuffer buffer;
  buffer.Short(960, 0x90, 60, 1);
  MIDIHDR* header = buffer.Header();
  EXPECT_EQ(rig.stream->Out(header), MIDIERR_UNPREPARED);
  rig.Queue(header);
  EXPECT_EQ(rig.stream->Out(header), MIDIERR_STILLPLAYING);
  EXPECT_EQ(rig.stream->UnprepareHeader(header), MIDIERR_STILLPLAYING);
  MIDIHDR overlong = *header;
  overlong.dwFlags = 0;
  overlong.dwBytesRecorded = overlong.dwBufferLength + 4;
  EXPECT_EQ(rig.stream->PrepareHeader(&overlong), MMSYSERR_INVALPARAM);

  platform::MIDIPROPTIMEDIV division{8, 0};
  const uint32_t set = platform::MIDIPROP_SET | platform::MIDIPROP_TIMEDIV;
  EXPECT_EQ(rig.stream->Property(&division, set), MMSYSERR_INVALPARAM);
  division.dwTimeDiv = 0xE700;  // SMPTE without ticks per frame
  EXPECT_EQ(rig.stream->Property(&division, set), MMSYSERR_INVALPARAM);
  division = {4, 480};
  EXPECT_EQ(rig.stream->Property(&division, set), MMSYSERR_INVALPARAM);
  division = {8, 480};
  EXPECT_EQ(rig.stream->Property(&division, set), MMSYSERR_NOERROR);
  platform::MIDIPROPTEMPO tempo{8, 0};
  EXPECT_EQ(rig.stream->Property(&tempo, platform::MIDIPROP_GET | platform::MIDIPROP_TEMPO),
            MMSYSERR_NOERROR);
  EXPECT_EQ(tempo.dwTempo, 500000u);
  EXPECT_EQ(rig.stream->Property(&tempo, platform::MIDIPROP_TEMPO), MMSYSERR_INVALFLAG);

  EXPECT_EQ(rig.stream->Close(), MMSYSERR_NOERROR);
  EXPECT_EQ(header->dwFlags & MHDR_INQUEUE, 0u) << "closing returns the queued buffer";
  EXPECT_EQ(rig.DoneCount(), 1u);
  EXPECT_EQ(rig.stream->Out(header), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(rig.stream->Close(), MMSYSERR_INVALHANDLE);
}

TEST(MidiOutputDevices, HeadlessOpenFailsCleanlyOrPlays) {
  platform::MidiOutSystem& devices = platform::MidiOutSystem::Default();
  const uint32_t count = devices.GetDeviceCount();
  std::unique_ptr<platform::MidiStream> stream;
  std::string details;
  const MMRESULT result = devices.OpenStream(MIDI_MAPPER, nullptr, 0, stream, details);
  if (result == MMSYSERR_NOERROR) {
    EXPECT_NE(stream, nullptr);
    EXPECT_GT(count, 0u);
  } else {
    EXPECT_EQ(stream, nullptr);
    EXPECT_FALSE(details.empty() && count > 0) << "a failure says why";
    EXPECT_FALSE(platform::MidiOutErrorText(result).empty());
  }
  EXPECT_EQ(devices.OpenStream(count, nullptr, 0, stream, details), MMSYSERR_BADDEVICEID);
}

}  // namespace
