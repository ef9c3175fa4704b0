#pragma once
// The player's options, as the Options dialog, the story selection dialog and the View menu
// edit them.
#include <cstdint>
#include <string>

#include "audio/OutputDevices.h"

class CSettingsStore;

class CGameSettings {
 public:
  int32_t DebugOn = 0;                    // show scene names in the status bar
  int32_t MusicOn = 1;
  int32_t SoundOn = 1;
  int32_t ValidateFileOn = 1;             // check a story when a new game opens it
  int32_t ValidateImageSizes = 0;         // the check includes picture sizes
  int32_t Use16BitOggVorbisDecoding = 1;  // 1: 16-bit samples; anything else: 8-bit
  int32_t SortTitlesOn = 0;               // story list by name instead of newest first
  int32_t ReloadOnChange = 0;             // reload the story when its files change on disk
  std::string SoundDevice = kAutomaticDeviceName;
  std::string MusicDevice = kAutomaticDeviceName;
  std::string StoriesPath = "Stories/";
  int32_t Zoom = 0;                       // the view's zoom factor, 1 to 4; 0: automatic

  // Reads every value (a missing one keeps its default), then makes StoriesPath absolute
  // against the current directory (empty when that fails).
  void Read(const CSettingsStore& store);
  // Writes every value and flushes the store; false when the file could not be written.
  bool Write(CSettingsStore& store) const;
};
