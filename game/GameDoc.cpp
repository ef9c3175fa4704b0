#include "game/GameDoc.h"

#include "game/BusyScope.h"
#include "game/SettingsStore.h"
#include "game/StoryLibrary.h"
#include "platform/FileSystem.h"
#include "platform/MidiOutSystem.h"
#include "platform/WaveOutSystem.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "story/MessageFormat.h"
#include "story/StoryText.h"
#include "picture/PictureFactory.h"

namespace {

// The program's own pictures.
constexpr unsigned kStartPicture = 139;
constexpr unsigned kTitlePicture = 134;
constexpr unsigned kMissingPicture = 153;

constexpr size_t kFrameSlots = 32;

const SceneValue& OptionOf(const SceneSection& scene, int index) {
  const SceneValue* options[] = {&scene.Option1, &scene.Option2, &scene.Option3, &scene.Option4};
  return *options[index];
}

const SceneValue& LinkOf(const SceneSection& scene, int index) {
  const SceneValue* links[] = {&scene.Link1, &scene.Link2, &scene.Link3, &scene.Link4};
  return *links[index];
}

}  // namespace

CVeskoGameDoc::CVeskoGameDoc(IGameUi& ui, CSettingsStore& store)
    : CVeskoGameDoc(ui, store, platform::WaveOutSystem::Default(), platform::MidiOutSystem::Default()) {}

CVeskoGameDoc::CVeskoGameDoc(IGameUi& ui, CSettingsStore& store,
                             platform::WaveOutSystem& waveDevices, platform::MidiOutSystem& midiDevices)
    : m_ui(ui), m_store(store), m_musicPlayer(midiDevices), m_wavePlayer(waveDevices) {
  m_story.SetReporter(&m_ui);
  m_settings.Read(m_store);
  m_frameImages.resize(kFrameSlots);
  EnumerateMidiOutputDevices(m_musicDevices, midiDevices);
  ResolveMusicDevice();
}

CVeskoGameDoc::~CVeskoGameDoc() {
  // The players hold the sequence and the sound objects: they stop before those go.
  m_musicPlayer.Stop();
  m_musicPlayer.Close();
  m_wavePlayer.Stop();
  m_wavePlayer.Shutdown();
  m_currentScene = nullptr;
  ReleaseFramePictures();
}

// --- Pages and scenes ---

bool CVeskoGameDoc::ResetGame() {
  m_frameCount = 0;
  m_animLoops = -1;
  m_currentScene = nullptr;
  m_pendingMusic.clear();  // restored music belongs to the story that goes
  m_story.ReleaseStory();
  ReleaseFramePictures();
  SetPicture(LoadPictureResource(kStartPicture));
  ClearMusic();
  return true;
}

void CVeskoGameDoc::ShowTitlePage(bool isNewGame) {
  m_frameCount = 0;
  m_animLoops = 0;
  SetPicture(LoadPictureResource(kTitlePicture));
  m_titlePage = true;
  m_titleIsNewGame = isNewGame;
}

void CVeskoGameDoc::BeginPlay() {
  m_titlePage = false;
  m_titleIsNewGame = false;
  EnterScene();
  m_ui.UpdateAllViews();
}

bool CVeskoGameDoc::EnterScene() {
  if (!m_currentScene) return false;
  const SceneSection& scene = *m_currentScene;
  m_frameCount = static_cast<int>(scene.Frames.size());
  std::string path = m_frameCount > 0 ? m_story.ImagePath(scene.Frames[0]) : std::string();
  m_picture.reset();
  std::unique_ptr<CDib> picture = path.empty() ? nullptr : LoadPictureFile(path);
  SetPicture(picture ? std::move(picture) : LoadPictureResource(kMissingPicture));
  m_frameIndex = 0;
  m_loopsDone = 0;

  m_musicLoops = m_story.MusicLoops(scene);
  m_soundLoops = m_story.SoundLoops(scene);
  SetSoundDelays(m_story.SoundDelayMin(scene), m_story.SoundDelayMax(scene));

  m_ui.StopAnimationTimer();
  if (m_frameCount > 1) {
    PreloadAnimation();
    m_ui.StartAnimationTimer(m_story.AnimInterval(scene));
  }
  StartSceneMusic();
  StartSceneSound();
  return true;
}

bool CVeskoGameDoc::FollowOption(int index) {
  if (!m_currentScene || index < 0 || index > 3) return false;
  const SceneSection* next = m_story.FindScene(LinkOf(*m_currentScene, index).Text);
  if (!next) return false;
  m_currentScene = next;
  EnterScene();
  m_ui.UpdateAllViews();
  return true;
}

void CVeskoGameDoc::PreloadAnimation() {
  const SceneSection& scene = *m_currentScene;
  m_animLoops = m_story.AnimLoops(scene);
  ReleaseFramePictures();
  m_frameNames.clear();
  m_frameMap.assign(static_cast<size_t>(m_frameCount), 0);
  for (int i = 0; i < m_frameCount; ++i) {
    const std::string& name = scene.Frames[static_cast<size_t>(i)];
    size_t slot = 0;
    while (slot < m_frameNames.size() && !story_text::EqualsNoCase(m_frameNames[slot], name)) ++slot;
    if (slot == m_frameNames.size()) m_frameNames.push_back(name);
    m_frameMap[static_cast<size_t>(i)] = static_cast<uint32_t>(slot);
  }
  // An animation may name more distinct pictures than the usual slots (a story that was not
  // validated); every one of them gets a slot of its own.
  if (m_frameNames.size() > m_frameImages.size()) m_frameImages.resize(m_frameNames.size());
  for (size_t slot = 0; slot < m_frameNames.size(); ++slot) {
    std::string path = m_story.ImagePath(m_frameNames[slot]);
    if (!path.empty()) m_frameImages[slot] = LoadPictureFile(path);
  }
}

void CVeskoGameDoc::AdvanceAnimation() {
  if (m_frameCount <= 0 || (m_animLoops != -1 && m_loopsDone > m_animLoops)) return;
  ++m_frameIndex;
  if (m_frameIndex >= m_frameCount) {
    ++m_loopsDone;
    if (m_animLoops != -1 && m_loopsDone > m_animLoops)
      --m_frameIndex;  // the animation stops on its last frame
    else
      m_frameIndex = 0;
  }
}

const CDib* CVeskoGameDoc::GetCurrentPicture() const {
  if (m_frameCount < 2) return m_picture.get();
  size_t frame = static_cast<size_t>(m_frameIndex);
  if (frame >= m_frameMap.size()) return nullptr;
  return m_frameImages[m_frameMap[frame]].get();
}

void CVeskoGameDoc::LeaveStory() {
  m_currentScene = nullptr;
  m_pendingMusic.clear();
  m_ui.StopAnimationTimer();
  m_frameCount = 0;
  ReleaseFramePictures();
}

void CVeskoGameDoc::ReleaseFramePictures() {
  for (auto& picture : m_frameImages) picture.reset();
}

void CVeskoGameDoc::SetPicture(std::unique_ptr<CDib> picture) { m_picture = std::move(picture); }

// --- Queries ---

std::string CVeskoGameDoc::GetSceneName() const {
  return m_currentScene ? m_currentScene->Header.Text : std::string();
}

std::string CVeskoGameDoc::GetSceneText() const {
  return m_currentScene ? m_currentScene->Description.Text : std::string();
}

std::string CVeskoGameDoc::GetOptionText(int index) const {
  if (!m_currentScene || index < 0 || index > 3) return std::string();
  return OptionOf(*m_currentScene, index).Text;
}

bool CVeskoGameDoc::HasSavedPosition() const {
  return !m_store.ReadString(kSettingsSection, "SaveTitle", "").empty();
}

bool CVeskoGameDoc::CanLoadSavedGame() const {
  return HasSavedPosition() && !m_store.ReadString(kSettingsSection, "SaveScene", "").empty();
}

void CVeskoGameDoc::SetShowSceneNames(bool on) {
  m_settings.DebugOn = on ? 1 : 0;
  m_ui.UpdateAllViews();
}

// --- New game ---

bool CVeskoGameDoc::EnsureStoryList() {
  if (!m_stories.empty()) return true;
  return SearchStories(m_stories, m_settings.StoriesPath, &m_ui);
}

const StoryEntry* CVeskoGameDoc::FindStoryByName(const std::string& name) {
  if (!EnsureStoryList()) return nullptr;
  return FindStoryEntry(m_stories, name);
}

void CVeskoGameDoc::NewGame() {
  StopSound();
  StopMusic();
  bool started = false;
  if (EnsureStoryList()) {
    StorySelection selection;
    selection.Stories = m_stories;
    selection.InitialSelection = m_initialSelection;
    selection.StoriesPath = m_settings.StoriesPath;
    selection.SortByName = m_settings.SortTitlesOn != 0;
    if (m_ui.SelectStory(selection)) {
      CBusyScope busy(m_ui);
      m_settings.StoriesPath = selection.StoriesPath;
      m_settings.SortTitlesOn = selection.SortByName ? 1 : 0;
      m_selectedStory = selection.SelectedLine;
      if (selection.SearchedAgain) m_stories = selection.Stories;
      const StoryEntry* entry =
          selection.SelectedLine >= 0 ? FindStoryEntry(m_stories, selection.SelectedName) : nullptr;
      if (entry) {
        std::string path = entry->Path;  // the entry lives in m_stories, which the read may not touch
        started = OpenStoryOnTitlePage(path);
      }
    }
  }
  if (!started) ResumeScene();
}

bool CVeskoGameDoc::OpenStoryOnTitlePage(const std::string& path) {
  LeaveStory();
  if (!m_story.OpenStory(path, m_settings.ValidateFileOn != 0, m_settings.ValidateImageSizes != 0, false))
    return false;
  m_currentScene = m_story.GetFirstScene();
  if (!m_currentScene) return false;
  ClearMusic();
  ShowTitlePage(true);
  m_ui.UpdateAllViews();
  return true;
}

bool CVeskoGameDoc::OpenStoryPath(const std::string& path) {
  // A folder stands for the gamefile.txt inside it; the path is made absolute so that the
  // story's folder does not depend on the current directory later.
  std::string file = platform::FolderExists(path) ? story_text::JoinPath(path, "gamefile.txt") : path;
  if (!platform::FileExists(file)) {
    Ask(res::IDS_NO_STORY_AT_PATH, {path}, MessageButtons::Ok, MessageIcon::Error);
    return false;
  }
  file = platform::GetFullPath(file);
  StopSound();
  StopMusic();
  bool started = false;
  {
    CBusyScope busy(m_ui);
    started = OpenStoryOnTitlePage(file);
  }
  if (!started) ResumeScene();
  return started;
}

bool CVeskoGameDoc::OpenStoryAtScene(const std::string& path, const std::string& scene) {
  if (!OpenStoryPath(path)) return false;
  const SceneSection* found = m_story.FindScene(scene);
  if (!found) {
    Ask(res::IDS_NO_SUCH_SCENE, {scene}, MessageButtons::Ok, MessageIcon::Error);
    return false;
  }
  m_currentScene = found;
  BeginPlay();
  return true;
}

void CVeskoGameDoc::RereadStory(const std::string& path) {
  if (!m_settings.ValidateFileOn) {
    m_story.OpenStory(path, false, false, true);
    return;
  }
  CGameFile check;
  check.SetReporter(&m_ui);
  check.OpenStory(path, true, m_settings.ValidateImageSizes != 0, false);
  // The check has told of unknown keywords already: the second read keeps quiet about them.
  m_story.SetReporter(nullptr);
  m_story.OpenStory(path, false, false, true);
  m_story.SetReporter(&m_ui);
}

bool CVeskoGameDoc::ReloadStory() {
  if (!CanReloadStory()) return false;
  const std::string path = m_story.Path();
  const std::string sceneName = m_currentScene ? m_currentScene->Header.Text : std::string();
  const bool inScene = !m_titlePage && m_currentScene;
  const bool continuePlay = m_titlePage && !m_titleIsNewGame;
  CBusyScope busy(m_ui);
  m_currentScene = nullptr;
  StopSound();
  m_soundPath.clear();  // the sound file may have changed too: it is loaded afresh
  RereadStory(path);

  const SceneSection* scene = sceneName.empty() ? nullptr : m_story.FindScene(sceneName);
  if (inScene && scene) {
    m_currentScene = scene;
    EnterScene();
    m_ui.UpdateAllViews();
    return true;
  }
  // The title page: a restored position keeps its scene when it still has one.
  m_currentScene = continuePlay && scene ? scene : m_story.GetFirstScene();
  m_ui.StopAnimationTimer();
  ClearMusic();
  if (!m_currentScene) {
    ResetGame();
    m_ui.UpdateAllViews();
    return false;
  }
  ShowTitlePage(!(continuePlay && scene));
  m_ui.UpdateAllViews();
  return true;
}

void CVeskoGameDoc::ResumeScene() {
  if (m_titlePage) return;
  StartSceneMusic();
  StartSceneSound();
}

// --- Saved position ---

void CVeskoGameDoc::SaveGame() {
  if (!m_story.HasStory() || !m_currentScene) return;
  if (Ask(res::IDS_ASK_SAVE, {}, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
  m_store.WriteString(kSettingsSection, "SaveTitle", m_story.Title().Name.Text);
  m_store.WriteString(kSettingsSection, "SaveScene", m_currentScene->Header.Text);
  m_store.WriteString(kSettingsSection, "SaveMusic", PlayingMusicPath());
  m_store.Flush();
  Ask(res::IDS_SAVED, {}, MessageButtons::Ok, MessageIcon::Information);
}

void CVeskoGameDoc::LoadSavedGame() {
  std::string title = m_store.ReadString(kSettingsSection, "SaveTitle", "");
  std::string scene = m_store.ReadString(kSettingsSection, "SaveScene", "");
  if (title.empty() || scene.empty()) return;
  const std::string music = m_store.ReadString(kSettingsSection, "SaveMusic", "");
  const StoryEntry* found = FindStoryByName(title);
  StopSound();
  StopMusic();
  bool restored = false;
  if (!found) {
    Ask(res::IDS_STORY_MISSING, {title}, MessageButtons::Ok, MessageIcon::Error);
  } else if (Ask(res::IDS_ASK_RESTORE, {title}, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes) {
    StoryEntry entry = *found;
    restored = RestoreSavedPosition(entry, title, scene, music);
  }
  // A position that was not restored leaves the music an earlier restore left waiting.
  if (!restored) ResumeScene();
}

// The messages name the story as it was saved, as the restore question did.
bool CVeskoGameDoc::RestoreSavedPosition(const StoryEntry& entry, const std::string& savedName,
                                         const std::string& sceneName, const std::string& music) {
  CBusyScope busy(m_ui);
  {
    CGameFile check;
    check.SetReporter(&m_ui);
    if (!check.OpenStory(entry.Path, true, false, true)) {
      check.ShowStoryErrors();
      if (Ask(res::IDS_STORY_HAS_ERRORS, {savedName}, MessageButtons::YesNo, MessageIcon::Exclamation) != MessageAnswer::Yes)
        return false;
    }
  }
  LeaveStory();
  m_story.OpenStory(entry.Path, false, false, true);
  m_currentScene = m_story.FindScene(sceneName);
  if (!m_currentScene) {
    Ask(res::IDS_SCENE_MISSING, {sceneName, savedName}, MessageButtons::Ok, MessageIcon::Error);
    return false;
  }
  ClearMusic();
  m_pendingMusic = music;
  ShowTitlePage(false);
  m_ui.UpdateAllViews();
  return true;
}

// --- Options, unused media, closing ---

void CVeskoGameDoc::ShowOptions() {
  OptionsChoice choice;
  choice.Settings = m_settings;
  if (!m_ui.EditOptions(choice)) return;
  const CGameSettings previous = m_settings;
  m_settings = choice.Settings;
  if (m_settings.SoundOn != previous.SoundOn && !m_titlePage) {
    if (m_settings.SoundOn)
      StartSceneSound();
    else
      StopSound();
  }
  if (choice.MusicDeviceChanged) ChangeMusicDevice();
  if (choice.SoundDeviceChanged) ChangeSoundDevice();
  if (m_settings.MusicOn != previous.MusicOn && !m_titlePage) {
    if (m_settings.MusicOn)
      StartSceneMusic();
    else
      StopMusic();
  }
  if (m_settings.DebugOn != previous.DebugOn) SetShowSceneNames(m_settings.DebugOn != 0);
  WriteSettings();
}

void CVeskoGameDoc::ListUnusedResources() {
  std::vector<std::string> sounds, pictures, music;
  {
    CBusyScope busy(m_ui);
    m_story.FindUnusedResources(sounds, pictures, music);
  }
  m_ui.ShowUnusedResources(m_story, sounds, pictures, music);
}

void CVeskoGameDoc::CloseGame() {
  CloseMusic();
  StopSound();
  WriteSettings();
}

void CVeskoGameDoc::WriteSettings() { m_settings.Write(m_store); }

void CVeskoGameDoc::SetZoom(int zoom) {
  m_settings.Zoom = zoom;
  WriteSettings();
}

MessageAnswer CVeskoGameDoc::Ask(unsigned textId, const std::vector<std::string>& arguments,
                                 MessageButtons buttons, MessageIcon icon) {
  std::string format;
  res::LoadString(textId, format);
  return m_ui.ShowMessage(FillMessage(format, arguments), buttons, icon);
}
