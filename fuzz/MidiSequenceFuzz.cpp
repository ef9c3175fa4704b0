// The MIDI file reader on arbitrary bytes, in both meta-event modes, with its stream read back.
#include <cstddef>
#include <cstdint>

#include "audio/MidiSequence.h"
#include "audio/MidiStreamEvent.h"
#include "fuzz/FuzzInputFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InputFile input(data, size);
  const std::string& path = input.Path();
  for (bool keepMeta : {false, true}) {
    CMidiSequence sequence;
    if (!sequence.Load(path, keepMeta, true)) continue;
    size_t events = ListMidiStreamEvents(sequence).size();
    (void)events;
    sequence.GetBuffer(sequence.GetBufferCount());
  }
  return 0;
}
