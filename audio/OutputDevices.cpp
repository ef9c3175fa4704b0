#include "audio/OutputDevices.h"

#include <locale.h>
#include <wctype.h>

#include "platform/MidiOutSystem.h"
#include "platform/Multimedia.h"
#include "platform/WaveOutSystem.h"

const char kAutomaticDeviceName[] = "<Automatic>";

namespace {

bool Enumerate(std::vector<CDeviceEntry>& list, platform::DeviceCatalog& devices,
               bool leaveOutSynchronous) {
  list.clear();
  const uint32_t count = devices.GetDeviceCount();
  for (uint32_t id = 0; id < count; ++id) {
    platform::OutputDeviceCaps caps;
    if (devices.GetDeviceCaps(id, caps) != MMSYSERR_NOERROR) continue;
    if (leaveOutSynchronous && (caps.support & WAVECAPS_SYNC)) continue;
    list.push_back(CDeviceEntry{caps.name, id, false});
  }
  if (list.empty()) return false;
  list.push_back(CDeviceEntry{kAutomaticDeviceName, WAVE_MAPPER, true});
  return true;
}

// Reads one UTF-8 character at pos; a byte that starts no valid sequence stands for itself.
uint32_t NextCharacter(const std::string& text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
               : (lead >> 3) == 0x1E ? 4 : 0;
  if (length <= 1 || pos + length > text.size()) {
    ++pos;
    return lead;
  }
  uint32_t value = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return lead;
    }
    value = (value << 6) | (byte(pos + i) & 0x3F);
  }
  pos += length;
  return value;
}

uint32_t FoldCase(uint32_t character) {
  static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (character < 0x80 || !utf8) {
    return (character >= 'A' && character <= 'Z') ? character + ('a' - 'A') : character;
  }
  return static_cast<uint32_t>(towlower_l(static_cast<wint_t>(character), utf8));
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size())
    if (FoldCase(NextCharacter(a, i)) != FoldCase(NextCharacter(b, j))) return false;
  return i == a.size() && j == b.size();
}

}  // namespace

bool EnumerateWaveOutputDevices(std::vector<CDeviceEntry>& list,
                                platform::DeviceCatalog& devices) {
  return Enumerate(list, devices, true);
}

bool EnumerateWaveOutputDevices(std::vector<CDeviceEntry>& list) {
  return EnumerateWaveOutputDevices(list, platform::WaveOutSystem::Default());
}

bool EnumerateMidiOutputDevices(std::vector<CDeviceEntry>& list,
                                platform::DeviceCatalog& devices) {
  return Enumerate(list, devices, false);
}

const CDeviceEntry* FindDeviceByName(const std::vector<CDeviceEntry>& list,
                                     const std::string& name) {
  for (const CDeviceEntry& entry : list)
    if (EqualIgnoringCase(entry.m_name, name)) return &entry;
  return nullptr;
}

bool EnumerateMidiOutputDevices(std::vector<CDeviceEntry>& list) {
  return EnumerateMidiOutputDevices(list, platform::MidiOutSystem::Default());
}
