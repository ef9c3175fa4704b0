#include "platform/Multimedia.h"

namespace platform {
namespace {

struct ErrorText {
  MMRESULT code;
  const char* text;
};

const ErrorText kGeneralTexts[] = {
    {MMSYSERR_NOERROR, "The specified command was carried out."},
    {MMSYSERR_ERROR, "Undefined external error."},
    {MMSYSERR_BADDEVICEID, "A device ID has been used that is out of range for your system."},
    {MMSYSERR_NOTENABLED, "The driver was not enabled."},
    {MMSYSERR_ALLOCATED,
     "The specified device is already in use. Wait until it is free, and then try again."},
    {MMSYSERR_INVALHANDLE, "The specified device handle is invalid."},
    {MMSYSERR_NODRIVER, "There is no driver installed on your system."},
    {MMSYSERR_NOMEM,
     "There is not enough memory available for this task. Quit one or more applications to "
     "increase available memory, and then try again."},
    {MMSYSERR_NOTSUPPORTED,
     "This function is not supported. Use the Capabilities function to determine which "
     "functions and messages the driver supports."},
    {MMSYSERR_BADERRNUM, "An error number was specified that is not defined in the system."},
    {MMSYSERR_INVALFLAG, "An invalid flag was passed to a system function."},
    {MMSYSERR_INVALPARAM, "An invalid parameter was passed to a system function."},
    {MMSYSERR_HANDLEBUSY,
     "The specified handle is being used simultaneously by another thread (such as a callback "
     "thread)."},
};

const ErrorText kWaveTexts[] = {
    {WAVERR_BADFORMAT,
     "The specified format is not supported or cannot be translated. Use the Capabilities "
     "function to determine the supported formats."},
    {WAVERR_STILLPLAYING,
     "Cannot perform this operation while media data is still playing. Reset the device, or "
     "wait until the data is finished playing."},
    {WAVERR_UNPREPARED,
     "The wave header was not prepared. Use the Prepare function to prepare the header, and then "
     "try again."},
    {WAVERR_SYNC,
     "Cannot open the device without using the WAVE_ALLOWSYNC flag. Use the flag, and then try "
     "again."},
};

const ErrorText kMidiTexts[] = {
    {MIDIERR_UNPREPARED,
     "The MIDI header was not prepared. Use the Prepare function to prepare the header, and then "
     "try again."},
    {MIDIERR_STILLPLAYING,
     "Cannot perform this operation while media data is still playing. Reset the device, or "
     "wait until the data is finished playing."},
    {MIDIERR_NOMAP, "A MIDI map was not found. There may be a problem with the driver."},
    {MIDIERR_NOTREADY,
     "The port is transmitting data to the device. Wait until the data has been transmitted, "
     "and then try again."},
    {MIDIERR_NODEVICE,
     "The current MIDI Mapper setup refers to a MIDI device that is not installed on the "
     "system."},
    {MIDIERR_INVALIDSETUP, "The current MIDI setup is damaged."},
};

template <size_t N>
const char* Find(const ErrorText (&table)[N], MMRESULT code) {
  for (const ErrorText& entry : table)
    if (entry.code == code) return entry.text;
  return nullptr;
}

std::string LookUp(MMRESULT code, const char* specific) {
  if (specific) return specific;
  if (const char* general = Find(kGeneralTexts, code)) return general;
  return Find(kGeneralTexts, MMSYSERR_BADERRNUM);
}

}  // namespace

std::string WaveOutErrorText(MMRESULT code) { return LookUp(code, Find(kWaveTexts, code)); }

std::string MidiOutErrorText(MMRESULT code) { return LookUp(code, Find(kMidiTexts, code)); }

}  // namespace platform
