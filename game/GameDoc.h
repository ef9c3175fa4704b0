#pragma once
// The game document: the one story being played, the current scene and its pictures, the list
// of stories on disk, the settings, and (with the media scheduling) music and sound. It carries
// out every command of the Game menu and of the view and tells the user interface to update
// after each change; the view only asks it what to show.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/DeviceEntry.h"
#include "audio/MidiPlayer.h"
#include "audio/MidiSequence.h"
#include "audio/SoundVorbis.h"
#include "audio/SoundWav.h"
#include "audio/WaveListener.h"
#include "audio/WavePlayer.h"
#include "game/GameSettings.h"
#include "game/GameUi.h"
#include "game/StoryEntry.h"
#include "platform/Multimedia.h"
#include "story/GameFile.h"
#include "picture/Dib.h"

class CSettingsStore;

namespace platform {
class MidiOutSystem;
class WaveOutSystem;
}  // namespace platform

class CVeskoGameDoc : public IWaveListener {
 public:
  // Reads the settings from store, makes the stories path absolute, lists the MIDI devices and
  // resolves the music device. The document starts empty; ResetGame brings it to the start
  // page. Music and sound play on the system's devices, or on the given ones.
  CVeskoGameDoc(IGameUi& ui, CSettingsStore& store);
  CVeskoGameDoc(IGameUi& ui, CSettingsStore& store, platform::WaveOutSystem& waveDevices,
                platform::MidiOutSystem& midiDevices);
  ~CVeskoGameDoc() override;
  CVeskoGameDoc(const CVeskoGameDoc&) = delete;
  CVeskoGameDoc& operator=(const CVeskoGameDoc&) = delete;

  // --- Game menu commands ---
  void NewGame();
  void LoadSavedGame();
  void SaveGame();
  void ShowOptions();
  void ListUnusedResources();
  // Opens the story at path (its folder or its gamefile.txt) as New Game opens the chosen
  // story: validated as the settings say, then its title page. Says so and returns false when
  // there is no story file there; false also when the story has errors or no first scene.
  bool OpenStoryPath(const std::string& path);
  // Opens the story at path as OpenStoryPath does and enters the scene named scene at once. A
  // scene that is not in the story is named in a message and the title page stays.
  bool OpenStoryAtScene(const std::string& path, const std::string& scene);
  // Reads the story again from disk, validated as the settings say (errors are listed, and play
  // goes on). A scene being played is entered afresh when the story still has a scene of its
  // name (music that is the same file goes on); otherwise, and on the title page, the title page
  // shows. False when there is no story to reload or it lost its first scene (the start page).
  bool ReloadStory();
  bool CanReloadStory() const { return !m_story.Path().empty() && m_story.HasStory(); }
  // Back to the start page with no story (also the document's first state). Always true.
  bool ResetGame();
  // The main window closes: music and sound stop and the settings are written.
  void CloseGame();

  // --- View commands ---
  void BeginPlay();
  // Follows option index (0 to 3) to the scene its link names. False when there is no such
  // scene (nothing changes then).
  bool FollowOption(int index);
  // One tick of the animation timer.
  void AdvanceAnimation();

  void ShowTitlePage(bool isNewGame);
  // Enters the current scene: its pictures, animation, music and sound. False without one.
  bool EnterScene();

  // --- What the view shows ---
  // The picture to paint: the scene's picture, or the current animation frame (none when that
  // frame failed to load).
  const CDib* GetCurrentPicture() const;
  bool IsStoryLoaded() const { return m_story.IsValid(); }
  bool IsTitlePage() const { return m_titlePage; }
  bool IsTitleNewGame() const { return m_titleIsNewGame; }
  const TitleSection& GetTitleRecord() const { return m_story.Title(); }
  // Texts of the current scene; empty when there is none.
  std::string GetSceneName() const;
  std::string GetSceneText() const;
  std::string GetOptionText(int index) const;
  bool HasSavedPosition() const;
  // Whether Load Saved Game has a position to restore (read afresh at each call).
  bool CanLoadSavedGame() const;
  bool HasStory() const { return m_story.HasStory(); }
  // List Unused Resources needs a story whose scenes are loaded (not one released by a reset).
  bool CanListUnusedResources() const { return m_story.HasStory() && !m_story.Scenes().empty(); }
  bool ShowSceneNames() const { return m_settings.DebugOn != 0; }
  void SetShowSceneNames(bool on);
  // The View menu chose a zoom (0: automatic): it is kept with the other settings at once.
  void SetZoom(int zoom);
  const CGameSettings& Settings() const { return m_settings; }
  const CGameFile& Story() const { return m_story; }
  const SceneSection* CurrentScene() const { return m_currentScene; }
  int FrameIndex() const { return m_frameIndex; }
  // Music and sound state, for the view's status and for tests.
  const CMidiSequence& MusicFile() const { return m_musicFile; }
  const CMidiPlayer& MusicPlayer() const { return m_musicPlayer; }
  const std::string& PendingMusic() const { return m_pendingMusic; }
  const std::string& SoundPath() const { return m_soundPath; }
  const CWavePlayer& WavePlayer() const { return m_wavePlayer; }

  // --- Story library ---
  // True when the list holds stories, searching the stories folder when it is empty.
  bool EnsureStoryList();
  // The first story of the list whose name equals name ignoring case; none when there is none
  // or the list cannot be made.
  const StoryEntry* FindStoryByName(const std::string& name);
  const std::vector<StoryEntry>& Stories() const { return m_stories; }

  // The wave engine's end-of-sound notice: nothing to do (called on the engine's thread).
  void OnWaveEnd() override {}

 private:
  void PreloadAnimation();
  // Before another story replaces this one: the scene goes (its animation stops, its frame
  // pictures are released) and so does music a restore left waiting.
  void LeaveStory();
  void ReleaseFramePictures();
  void SetPicture(std::unique_ptr<CDib> picture);
  MessageAnswer Ask(unsigned textId, const std::vector<std::string>& arguments,
                    MessageButtons buttons, MessageIcon icon);
  // Opens the story file and shows its title page; false when it has errors or no first scene.
  bool OpenStoryOnTitlePage(const std::string& path);
  bool RestoreSavedPosition(const StoryEntry& entry, const std::string& savedName, const std::string& sceneName,
                            const std::string& music);
  // Reads the story at path again, validated as the settings say; errors are listed, not fatal.
  void RereadStory(const std::string& path);
  void ResumeScene();
  void WriteSettings();

  // Music and sound of the current scene.
  void StartSceneMusic();
  void StartSceneSound();
  void StopMusic();
  void StopSound();
  // Stops the music and forgets the loaded sequence.
  void ClearMusic();
  // Stops the music, closes its device and forgets the loaded sequence.
  void CloseMusic();
  void ChangeMusicDevice();
  void ChangeSoundDevice();
  void PlayMusic();
  void SetSoundDelays(uint32_t minimum, uint32_t maximum);
  bool OpenMusicDevice();
  void ResolveMusicDevice();
  bool ChooseSoundObject(const std::string& path);
  bool StartNewSound();
  // The path of the music that is playing; empty when none is.
  std::string PlayingMusicPath() const;

  IGameUi& m_ui;
  CSettingsStore& m_store;

  std::unique_ptr<CDib> m_picture;
  CGameFile m_story;
  std::vector<StoryEntry> m_stories;
  const SceneSection* m_currentScene = nullptr;
  int m_initialSelection = -1;
  int m_selectedStory = -1;
  int m_musicLoops = -1;
  int m_soundLoops = 1;
  int m_soundDelayMin = 0;
  int m_soundDelayMax = 0;
  std::string m_pendingMusic;
  CMidiPlayer m_musicPlayer;
  CMidiSequence m_musicFile;
  bool m_titlePage = false;
  bool m_titleIsNewGame = false;
  CWavePlayer m_wavePlayer;
  CSoundVorbis m_soundVorbis;
  CSoundWav m_soundWav;
  IWaveLoader* m_soundLoader = nullptr;
  IWaveBufferFiller* m_soundFiller = nullptr;
  std::string m_soundPath;
  std::vector<std::unique_ptr<CDib>> m_frameImages;  // the distinct pictures of the animation
  std::vector<std::string> m_frameNames;             // their names, in order of first use
  std::vector<uint32_t> m_frameMap;                  // for each frame, the slot of its picture
  int m_frameIndex = 0;
  int m_frameCount = 0;
  int m_loopsDone = 0;
  int m_animLoops = -1;
  std::vector<CDeviceEntry> m_musicDevices;
  std::string m_musicDeviceName;  // the name the player's stream was opened by
  CGameSettings m_settings;
};
