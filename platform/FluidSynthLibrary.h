#pragma once
// FluidSynth, loaded with dlopen when the synthesizer is first used rather than linked: the
// library brings some fifty more (SDL, X11, the sound servers, libsndfile), which cost every
// program that never plays a tune - the story tool's text commands, the tests - tens of
// milliseconds and megabytes at start-up.
#include <fluidsynth.h>

#include <string>

namespace platform {

// The FluidSynth functions the synthesizer calls.
#define FABLEWICK_FLUIDSYNTH_FUNCTIONS(FUNCTION) \
  FUNCTION(fluid_set_log_function)              \
  FUNCTION(fluid_free)                          \
  FUNCTION(new_fluid_settings)                  \
  FUNCTION(delete_fluid_settings)               \
  FUNCTION(fluid_settings_setstr)               \
  FUNCTION(fluid_settings_setnum)               \
  FUNCTION(fluid_settings_dupstr)               \
  FUNCTION(fluid_settings_foreach_option)       \
  FUNCTION(new_fluid_synth)                     \
  FUNCTION(delete_fluid_synth)                  \
  FUNCTION(fluid_synth_sfload)                  \
  FUNCTION(fluid_synth_noteon)                  \
  FUNCTION(fluid_synth_noteoff)                 \
  FUNCTION(fluid_synth_cc)                      \
  FUNCTION(fluid_synth_program_change)          \
  FUNCTION(fluid_synth_pitch_bend)              \
  FUNCTION(fluid_synth_channel_pressure)        \
  FUNCTION(fluid_synth_key_pressure)            \
  FUNCTION(fluid_synth_sysex)                   \
  FUNCTION(fluid_synth_system_reset)            \
  FUNCTION(fluid_synth_all_sounds_off)          \
  FUNCTION(fluid_synth_write_s16)               \
  FUNCTION(new_fluid_audio_driver)              \
  FUNCTION(delete_fluid_audio_driver)

class FluidSynthLibrary {
 public:
  // The library, loaded on the first call and kept for the life of the process; null when it
  // or one of its functions is missing, with the reason in errorText.
  static const FluidSynthLibrary* Load(std::string& errorText);

#define FABLEWICK_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
  FABLEWICK_FLUIDSYNTH_FUNCTIONS(FABLEWICK_FLUIDSYNTH_POINTER)
#undef FABLEWICK_FLUIDSYNTH_POINTER

 private:
  FluidSynthLibrary() = default;
  bool Open(std::string& errorText);
};

}  // namespace platform
