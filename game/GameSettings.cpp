#include "game/GameSettings.h"

#include "game/SettingsStore.h"
#include "platform/FileSystem.h"

void CGameSettings::Read(const CSettingsStore& store) {
  const char* s = kSettingsSection;
  MusicOn = store.ReadInt(s, "MusicOn", MusicOn);
  SoundOn = store.ReadInt(s, "SoundOn", SoundOn);
  DebugOn = store.ReadInt(s, "DebugOn", DebugOn);
  ValidateFileOn = store.ReadInt(s, "ValidateFileOn", ValidateFileOn);
  ValidateImageSizes = store.ReadInt(s, "ValidateImageSizes", ValidateImageSizes);
  Use16BitOggVorbisDecoding = store.ReadInt(s, "Use16BitOggVorbisDecoding", Use16BitOggVorbisDecoding);
  SortTitlesOn = store.ReadInt(s, "SortTitlesOn", SortTitlesOn);
  ReloadOnChange = store.ReadInt(s, "ReloadOnChange", ReloadOnChange);
  SoundDevice = store.ReadString(s, "SoundDevice", SoundDevice);
  MusicDevice = store.ReadString(s, "MusicDevice", MusicDevice);
  StoriesPath = store.ReadString(s, "StoriesPath", StoriesPath);
  Zoom = store.ReadInt(s, "Zoom", Zoom);
  StoriesPath = platform::GetFullPath(StoriesPath);
}

bool CGameSettings::Write(CSettingsStore& store) const {
  const char* s = kSettingsSection;
  store.WriteInt(s, "MusicOn", MusicOn);
  store.WriteInt(s, "SoundOn", SoundOn);
  store.WriteInt(s, "DebugOn", DebugOn);
  store.WriteInt(s, "Use16BitOggVorbisDecoding", Use16BitOggVorbisDecoding);
  store.WriteInt(s, "ValidateFileOn", ValidateFileOn);
  store.WriteInt(s, "ValidateImageSizes", ValidateImageSizes);
  store.WriteInt(s, "SortTitlesOn", SortTitlesOn);
  store.WriteInt(s, "ReloadOnChange", ReloadOnChange);
  store.WriteString(s, "SoundDevice", SoundDevice);
  store.WriteString(s, "MusicDevice", MusicDevice);
  store.WriteString(s, "StoriesPath", StoriesPath);
  store.WriteInt(s, "Zoom", Zoom);
  return store.Flush();
}
