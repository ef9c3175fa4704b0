#include "story/GameFile.h"

#include "story/StoryReporter.h"
#include "story/StoryText.h"

using namespace story_text;

namespace {

// The slowest, middle and fastest named animation speeds, in frames per second.
constexpr int32_t kSlowRate = 1;
constexpr int32_t kMediumRate = 6;
constexpr int32_t kFastRate = 12;
// Delays between sound repeats shorter than this are raised to it (milliseconds).
constexpr uint32_t kShortestSoundDelay = 16;

int32_t LoopCount(const SceneValue& value) {
  return EqualsNoCase(value.Text, "FOREVER") ? -1 : ToSigned(value.Text);
}

bool IsRandomDelay(const std::string& text) { return StartsWithNoCase(text, "RANDOM"); }

uint32_t AtLeastShortestDelay(uint32_t delay) {
  return delay < kShortestSoundDelay ? kShortestSoundDelay : delay;
}

}  // namespace

CGameFile::CGameFile() = default;
CGameFile::~CGameFile() = default;

void CGameFile::ReleaseScenes() {
  m_currentScene = nullptr;
  m_sceneIndex.Clear();
  m_scenes.clear();
  m_arena.Clear();
}

void CGameFile::ReleaseStory() {
  ReleaseScenes();
  m_reader.Close();
  m_reader.FreeBuffer();
  m_valid = false;
}

const SceneSection* CGameFile::FindScene(std::string_view name) const { return m_sceneIndex.Find(name); }

const SceneSection* CGameFile::GetFirstScene() const { return FindScene(m_setup.FirstScene.Text); }

std::string CGameFile::JoinPath(const std::string& base, const std::string& part) {
  return story_text::JoinPath(base, part);
}

// The story folder followed by a media folder named in the story.
std::string CGameFile::MediaFolder(const std::string& directory) const {
  return m_folder + ToSlashes(directory);
}

std::string CGameFile::ImagePath(const std::string& fileName) const {
  return JoinPath(MediaFolder(m_setup.ImageDir.Text), ToSlashes(fileName));
}

std::string CGameFile::SoundPath(const std::string& fileName) const {
  return JoinPath(MediaFolder(m_setup.SoundDir.Text), ToSlashes(fileName));
}

std::string CGameFile::MusicPath(const std::string& fileName) const {
  if (fileName.empty()) return std::string();
  return JoinPath(MediaFolder(m_setup.MusicDir.Text), ToSlashes(fileName));
}

uint32_t CGameFile::AnimInterval(const SceneSection& scene) const {
  const std::string& speed = scene.AnimSpeed.Text;
  int32_t rate;
  if (EqualsNoCase(speed, "SLOW")) {
    rate = kSlowRate;
  } else if (EqualsNoCase(speed, "MEDIUM")) {
    rate = kMediumRate;
  } else if (EqualsNoCase(speed, "FAST")) {
    rate = kFastRate;
  } else {
    rate = ToSigned(speed);
    if (rate == 0) rate = kMediumRate;
  }
  // Unsigned division: a negative rate gives 0 ms, as does a rate above 1000.
  return 1000u / static_cast<uint32_t>(rate);
}

int32_t CGameFile::AnimLoops(const SceneSection& scene) const { return LoopCount(scene.AnimLoop); }
int32_t CGameFile::MusicLoops(const SceneSection& scene) const { return LoopCount(scene.MusicLoop); }
int32_t CGameFile::SoundLoops(const SceneSection& scene) const { return LoopCount(scene.SoundLoop); }

uint32_t CGameFile::SoundDelayMin(const SceneSection& scene) const {
  const std::string& text = scene.SoundDelay.Text;
  if (text.empty()) return 0;
  if (!IsRandomDelay(text)) return AtLeastShortestDelay(ToUnsigned(text));
  return AtLeastShortestDelay(ToUnsigned(text.substr(6)));
}

uint32_t CGameFile::SoundDelayMax(const SceneSection& scene) const {
  const std::string& text = scene.SoundDelay.Text;
  if (text.empty()) return 0;
  if (!IsRandomDelay(text)) return AtLeastShortestDelay(ToUnsigned(text));
  // The upper bound follows the first '-', else the first ','; with neither it is the lower one.
  size_t separator = text.find('-');
  if (separator == std::string::npos) separator = text.find(',');
  std::string upper = separator == std::string::npos ? text.substr(6) : text.substr(separator + 1);
  return AtLeastShortestDelay(ToUnsigned(upper));
}

void CGameFile::ShowErrorBox(const std::string& text) const {
  if (m_reporter) m_reporter->ShowErrorBox(text);
}
