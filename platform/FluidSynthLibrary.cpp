#include "platform/FluidSynthLibrary.h"

#include <dlfcn.h>

namespace platform {
namespace {

template <typename Function>
bool LookUp(void* library, const char* name, Function& function, std::string& errorText) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  if (function) return true;
  const char* reason = dlerror();
  errorText = std::string("the FluidSynth library cannot be used: ") + (reason ? reason : name);
  return false;
}

}  // namespace

bool FluidSynthLibrary::Open(std::string& errorText) {
  // Never closed: the synthesizer's threads and callbacks may run until the process ends.
  void* library = dlopen(FABLEWICK_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    errorText = std::string("the FluidSynth library cannot be loaded: ") + dlerror();
    return false;
  }
#define FABLEWICK_FLUIDSYNTH_LOOK_UP(name) \
  if (!LookUp(library, #name, name, errorText)) return false;
  FABLEWICK_FLUIDSYNTH_FUNCTIONS(FABLEWICK_FLUIDSYNTH_LOOK_UP)
#undef FABLEWICK_FLUIDSYNTH_LOOK_UP
  return true;
}

const FluidSynthLibrary* FluidSynthLibrary::Load(std::string& errorText) {
  static std::string failure;
  static const FluidSynthLibrary* const library = [] {
    static FluidSynthLibrary loaded;
    return loaded.Open(failure) ? &loaded : nullptr;
  }();
  if (!library) errorText = failure;
  return library;
}

}  // namespace platform
