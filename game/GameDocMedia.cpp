// Music and sound of the scenes: what starts, what goes on and what stops when a scene is
// entered or resumed, on which devices, and how often it repeats.
#include <algorithm>
#include <climits>

#include "audio/OutputDevices.h"
#include "audio/SoundLoaderChoice.h"
#include "game/BusyScope.h"
#include "game/GameDoc.h"
#include "story/StoryText.h"

using story_text::EqualsNoCase;

// --- Music ---

void CVeskoGameDoc::StartSceneMusic() {
  if (!m_currentScene) return;
  const std::string& music = m_currentScene->Music.Text;
  if (music.empty() && m_pendingMusic.empty()) return;  // the music that plays goes on
  if (EqualsNoCase(music, "STOP")) {
    // A start consumes the music left by a restore, whether or not it plays it.
    m_pendingMusic.clear();
    StopMusic();
    return;
  }
  std::string path = m_story.MusicPath(music);
  if (path.empty()) path = m_pendingMusic;
  m_pendingMusic.clear();
  if (path.empty() || !m_settings.MusicOn) return;

  if (!EqualsNoCase(path, m_musicFile.GetPath())) {
    m_musicPlayer.Stop();
    m_musicPlayer.Close();
    if (!OpenMusicDevice()) return;
    CBusyScope busy(m_ui);
    if (m_musicFile.Load(path, false, true)) PlayMusic();
  } else if (!m_musicPlayer.IsPlaying() && m_musicFile.IsReady()) {
    PlayMusic();  // the same music had ended: it starts again; playing music goes on unbroken
  }
}

void CVeskoGameDoc::PlayMusic() {
  // The player counts the repeats after the first play.
  int repeats = m_musicLoops > 0 ? m_musicLoops - 1 : m_musicLoops;
  m_musicPlayer.Play(&m_musicFile, repeats);
}

void CVeskoGameDoc::StopMusic() { m_musicPlayer.Stop(); }

void CVeskoGameDoc::ClearMusic() {
  m_musicPlayer.Stop();
  m_musicPlayer.Unprepare();
  m_musicFile.Clear();
}

void CVeskoGameDoc::CloseMusic() {
  m_musicPlayer.Stop();
  m_musicPlayer.Close();
  m_musicFile.Clear();
}

std::string CVeskoGameDoc::PlayingMusicPath() const {
  return m_musicPlayer.IsPlaying() ? m_musicFile.GetPath() : std::string();
}

bool CVeskoGameDoc::OpenMusicDevice() {
  const std::string& name = m_settings.MusicDevice;
  if (name.empty()) return false;
  if (name == m_musicDeviceName && m_musicPlayer.IsOpen()) return true;
  m_musicDeviceName = name;
  m_musicPlayer.Close();
  return m_musicPlayer.OpenByName(name);
}

void CVeskoGameDoc::ResolveMusicDevice() {
  if (!EqualsNoCase(m_settings.MusicDevice, kAutomaticDeviceName)) return;
  // "<Automatic>" is the default entry of the list. Without any MIDI device there is none, and
  // no music plays; the setting itself is kept, so that music plays again once a device is
  // there.
  auto automatic = std::find_if(m_musicDevices.begin(), m_musicDevices.end(),
                                [](const CDeviceEntry& entry) { return entry.m_isDefault; });
  if (automatic != m_musicDevices.end()) m_settings.MusicDevice = automatic->m_name;
}

void CVeskoGameDoc::ChangeMusicDevice() {
  if (!m_settings.MusicOn || !m_musicFile.IsReady()) return;
  StopMusic();
  if (OpenMusicDevice()) PlayMusic();
}

// --- Sound ---

void CVeskoGameDoc::SetSoundDelays(uint32_t minimum, uint32_t maximum) {
  // Numbers beyond the format's range (a negative delay reads as a huge one) are held to the
  // largest pause the engine takes, and a range written backwards reaches it the right way round.
  if (maximum < minimum) std::swap(minimum, maximum);
  m_soundDelayMin = static_cast<int>(std::min<uint32_t>(minimum, INT_MAX));
  m_soundDelayMax = static_cast<int>(std::min<uint32_t>(maximum, INT_MAX));
}

void CVeskoGameDoc::StartSceneSound() {
  if (!m_currentScene) return;
  StopSound();
  const std::string& sound = m_currentScene->Sound.Text;
  if (sound.empty() || !m_settings.SoundOn) return;
  CBusyScope busy(m_ui);
  std::string path = m_story.SoundPath(sound);
  if (!EqualsNoCase(path, m_soundPath)) {
    // A file that cannot be loaded has closed the one loaded before; the next scene that names
    // that one loads it again.
    m_soundPath = ChooseSoundObject(path) ? path : std::string();
    if (!m_soundPath.empty()) StartNewSound();
  } else {
    // The same file: played again from its start, without reloading or reopening.
    m_wavePlayer.Play(m_soundFiller, this, m_soundLoops, m_soundDelayMin, m_soundDelayMax);
  }
}

bool CVeskoGameDoc::ChooseSoundObject(const std::string& path) {
  if (m_soundLoader) m_soundLoader->Close();
  m_soundLoader = nullptr;
  m_soundFiller = nullptr;
  SoundObject chosen = ::ChooseSoundObject(DetectSoundFileFormat(path.c_str()), m_soundWav, m_soundVorbis);
  if (!chosen.loader) return false;
  m_soundLoader = chosen.loader;
  m_soundFiller = chosen.filler;
  return m_soundLoader->Load(path.c_str());
}

bool CVeskoGameDoc::StartNewSound() {
  if (!m_wavePlayer.Init(m_settings.SoundDevice)) return false;
  int bits = m_settings.Use16BitOggVorbisDecoding == 1 ? 16 : 8;
  const WAVEFORMATEX* format = m_soundLoader->GetFormat(bits);
  if (!format || !m_wavePlayer.Open(format)) return false;
  if (m_wavePlayer.Play(m_soundFiller, this, m_soundLoops, m_soundDelayMin, m_soundDelayMax))
    return true;
  m_wavePlayer.Close();
  return false;
}

void CVeskoGameDoc::StopSound() { m_wavePlayer.Stop(); }

void CVeskoGameDoc::ChangeSoundDevice() { m_wavePlayer.SetDevice(m_settings.SoundDevice); }
