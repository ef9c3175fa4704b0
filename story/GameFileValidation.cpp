// CGameFile: validation, the error list and the immediate message windows.
#include <algorithm>
#include <numeric>

#include "platform/CaseFolding.h"
#include "platform/FileSystem.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "story/GameFile.h"
#include "story/MessageFormat.h"
#include "story/PictureProbe.h"
#include "story/StoryReporter.h"
#include "story/StoryText.h"

using namespace story_text;

namespace {

enum ErrorCode : int32_t {
  kFirstSceneMissing = 1000,
  kLinkTargetMissing = 1001,
  kOptionWithoutLink = 1002,
  kLinkWithoutOption = 1003,
  kLinkEmpty = 1004,
  kOptionEmpty = 1005,
  kNoPicture = 1006,
  kAnimationSettingsWithoutFrames = 1008,
  kImageMissing = 1009,
  kSoundMissing = 1010,
  kMusicMissing = 1011,
  kImageDirMissing = 1012,
  kMusicDirMissing = 1013,
  kSoundDirMissing = 1014,
  kTitleSectionMissing = 1015,
  kStoryNameMissing = 1016,
  kAuthorMissing = 1017,
  kArtistMissing = 1018,
  kTooManyFrames = 1021,
  kBadDelayRange = 1022,
  kImageTooLarge = 1023,
  kImageFormatUnsupported = 1024,
};

constexpr size_t kMaxFrames = 32;

// Built-in copies of the message formats, for when the string table lacks them.
const char kFileErrorFormat[] = "Game:\t%s\nSection:\t%s\nError:\t%s";
const char kUnexpectedKeywordFormat[] = "Was not expecting @%s.";
const char kLineErrorFormat[] = "Game:\t%s\nLine:\t%lu\nSection:\t%s\nError:\t%s";
const char kNoSectionText[] = "<NO SECTION>";
const char kKeywordWindowFormat[] = "Game:\t%s\nLine:\t%lu\nSection:\t%s\nError:\t%s";
const char kNoErrorText[] = "Can't load error message!";

std::string ErrorText(int32_t code) {
  std::string text;
  if (code >= 0 && res::LoadString(static_cast<unsigned>(code), text)) return text;
  if (res::LoadString(res::IDS_SCENE_ERROR_MISSING, text)) return text;
  return kNoErrorText;
}

std::string Number(uint32_t value) { return std::to_string(value); }

struct OptionSlot {
  const SceneValue& option;
  const SceneValue& link;
};

// Puts the records in the given order (order[i] is the index of the record that goes to i),
// moving each record once along its cycle; order is used up.
void SortInPlace(std::vector<StoryError>& errors, std::vector<size_t>& order) {
  const size_t placed = errors.size();
  for (size_t start = 0; start < errors.size(); ++start) {
    if (order[start] == placed) continue;
    StoryError held = std::move(errors[start]);
    size_t at = start;
    while (order[at] != start) {
      size_t from = order[at];
      errors[at] = std::move(errors[from]);
      order[at] = placed;
      at = from;
    }
    errors[at] = std::move(held);
    order[at] = placed;
  }
}

}  // namespace

void CGameFile::AddError(int32_t code, const std::string& name, const std::string& path, uint32_t line) {
  m_errors.push_back(StoryError{code, name, path, line});
}

bool CGameFile::ValidateStory(bool checkImageSizes, bool quiet) {
  // Names that differ from their files in case are looked up in folders read once.
  platform::FolderIndexScope folderIndex;
  if (!quiet && m_reporter) m_reporter->BeginValidating();
  m_errors.clear();
  // Room for an error a scene, which a story far from finished may well have: the list then
  // grows without copies. Room that is not used costs no memory.
  m_errors.reserve(m_scenes.size() + 8);
  ValidateTitle();
  ValidateSetup();
  if (m_scenes.empty()) {
    AddError(kLinkTargetMissing, std::string(), std::string(), 0);
  } else {
    for (const auto& scene : m_scenes) ValidateScene(*scene, checkImageSizes);
  }
  if (!quiet && m_reporter) m_reporter->EndValidating();
  if (m_errors.empty()) return false;
  if (!quiet) ShowStoryErrors();
  return true;
}

void CGameFile::ValidateTitle() {
  const TitleSection& title = m_title;
  const std::string& name = title.Header.Text;
  uint32_t line = title.Header.Line;
  if (title.Header.Text.empty()) AddError(kTitleSectionMissing, "Title", std::string(), 0);
  if (title.Name.Text.empty()) AddError(kStoryNameMissing, name, std::string(), line);
  if (title.Author.Text.empty()) AddError(kAuthorMissing, name, std::string(), line);
  if (title.Artist.Text.empty()) AddError(kArtistMissing, name, std::string(), line);
}

void CGameFile::ValidateSetup() {
  const SetupSection& setup = m_setup;
  const std::string& name = setup.Header.Text;
  uint32_t line = setup.Header.Line;
  if (!GetFirstScene()) AddError(kFirstSceneMissing, name, std::string(), line);
  const struct {
    const KeywordValue& directory;
    int32_t code;
  } folders[] = {{setup.ImageDir, kImageDirMissing},
                 {setup.MusicDir, kMusicDirMissing},
                 {setup.SoundDir, kSoundDirMissing}};
  for (const auto& folder : folders) {
    const std::string& directory = folder.directory.Text;
    if (!directory.empty() && !platform::FolderExists(JoinPath(m_folder, ToSlashes(directory))))
      AddError(folder.code, name, std::string(), line);
  }
}

void CGameFile::ValidateScene(const SceneSection& scene, bool checkImageSizes) {
  const std::string& name = scene.Header.Text;
  const std::string none;
  if (scene.Frames.empty()) {
    AddError(kNoPicture, name, none, scene.Header.Line);
    if (!scene.AnimSpeed.Text.empty())
      AddError(kAnimationSettingsWithoutFrames, name, none, scene.AnimSpeed.Line);
    if (!scene.AnimLoop.Text.empty())
      AddError(kAnimationSettingsWithoutFrames, name, none, scene.AnimLoop.Line);
  }
  if (scene.Frames.size() > kMaxFrames) AddError(kTooManyFrames, name, none, scene.FramesLine);

  for (const std::string& frame : scene.Frames) {
    std::string path = ImagePath(frame);
    // One status query answers both whether the file exists and whether it may be read.
    platform::FileKind kind = platform::GetFileKind(path);
    if (kind == platform::FileKind::Missing || kind == platform::FileKind::Folder) {
      AddError(kImageMissing, name, path, scene.FramesLine);
      continue;
    }
    ImageCheck check = kind == platform::FileKind::Regular ? ProbeImageSize(path) : ImageCheck::Unreadable;
    if (check == ImageCheck::TooLarge && checkImageSizes)
      AddError(kImageTooLarge, name, path, scene.FramesLine);
    else if (check == ImageCheck::Unreadable)
      AddError(kImageFormatUnsupported, name, path, scene.FramesLine);
  }

  if (!scene.Sound.Text.empty()) {
    std::string path = SoundPath(scene.Sound.Text);
    if (!platform::FileExists(path)) AddError(kSoundMissing, name, path, scene.Sound.Line);
  }
  if (!scene.SoundDelay.Text.empty() && SoundDelayMax(scene) < SoundDelayMin(scene))
    AddError(kBadDelayRange, name, none, scene.SoundDelay.Line);
  if (!scene.Music.Text.empty() && !EqualsNoCase(scene.Music.Text, "STOP")) {
    std::string path = MusicPath(scene.Music.Text);
    if (!platform::FileExists(path)) AddError(kMusicMissing, name, path, scene.Music.Line);
  }

  const OptionSlot slots[] = {{scene.Option1, scene.Link1},
                              {scene.Option2, scene.Link2},
                              {scene.Option3, scene.Link3},
                              {scene.Option4, scene.Link4}};
  for (const OptionSlot& slot : slots)
    if (slot.option.Line == 0 && !slot.link.Text.empty())
      AddError(kLinkWithoutOption, name, none, slot.link.Line);
  for (const OptionSlot& slot : slots)
    if (!slot.option.Text.empty() && slot.link.Line == 0) AddError(kOptionWithoutLink, name, none, 0);
  for (const OptionSlot& slot : slots)
    if (slot.option.Line != 0 && slot.option.Text.empty())
      AddError(kOptionEmpty, name, none, slot.option.Line);
  for (const OptionSlot& slot : slots)
    if (slot.link.Line != 0 && slot.link.Text.empty()) AddError(kLinkEmpty, name, none, slot.link.Line);
  for (const OptionSlot& slot : slots)
    if (!slot.link.Text.empty() && !FindScene(slot.link.Text))
      AddError(kLinkTargetMissing, name, slot.link.Text, slot.link.Line);
}

std::vector<std::string> CGameFile::StoryErrorLines() {
  // Each path is folded once, not at every comparison, and the records stay where they are
  // while their order is sorted: a big story's list costs little more than its lines. A stable
  // sort keeps the first-found record of each path and code, so the list is the same on every run.
  std::vector<std::string> keys;
  keys.reserve(m_errors.size());
  for (const StoryError& error : m_errors) keys.push_back(platform::SortKeyIgnoringCase(error.Path));
  std::vector<size_t> order(m_errors.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    int byPath = keys[a].compare(keys[b]);
    return byPath != 0 ? byPath < 0 : m_errors[a].Code < m_errors[b].Code;
  });
  std::vector<std::string> lines;
  const size_t none = m_errors.size();
  size_t kept = none;
  for (size_t index : order) {
    if (kept != none && m_errors[kept].Code == m_errors[index].Code && keys[kept] == keys[index]) continue;
    kept = index;
    lines.push_back(FormatStoryError(m_errors[index]));
  }
  keys = std::vector<std::string>();
  SortInPlace(m_errors, order);
  return lines;
}

void CGameFile::ShowStoryErrors() {
  if (m_errors.empty()) return;
  std::vector<std::string> lines = StoryErrorLines();
  const std::string& story = m_title.Name.Text.empty() ? m_path : m_title.Name.Text;
  if (m_reporter) m_reporter->ShowStoryErrors(story, lines);
}

std::string CGameFile::FormatStoryError(const StoryError& error) {
  std::string line = "Error! " + ErrorText(error.Code);
  if (error.Line != 0 || !error.Name.empty()) {
    line += " (";
    if (error.Line != 0) line += FillMessage("line %lu, ", {Number(error.Line)});
    if (!error.Name.empty()) line += "Scene \"" + error.Name + "\"";
    line += ")";
  }
  if (!error.Path.empty()) line += ": " + LastPathPart(error.Path);
  return line;
}

void CGameFile::ReportFileError(int32_t code, const std::string& section) {
  std::string format = res::LoadStringOr(res::IDS_FMT_FILE_ERROR, kFileErrorFormat);
  ShowErrorBox(FillMessage(format, {m_path, section, ErrorText(code)}));
}

void CGameFile::ReportLineError(int32_t code, uint32_t line, const std::string& section) {
  if (line == 0) line = m_reader.Line();
  std::string shownSection = section.empty() ? res::LoadStringOr(res::IDS_NO_SECTION, kNoSectionText) : section;
  std::string format = res::LoadStringOr(res::IDS_FMT_LINE_ERROR, kLineErrorFormat);
  ShowErrorBox(FillMessage(format, {m_path, Number(line), shownSection, ErrorText(code)}));
}

void CGameFile::ReportUnexpectedKeyword(const std::string& keyword, const std::string& section) {
  if (!m_reporter) return;
  std::string message = FillMessage(
      res::LoadStringOr(res::IDS_FMT_UNEXPECTED_KEYWORD, kUnexpectedKeywordFormat), {keyword});
  std::string format = res::LoadStringOr(res::IDS_FMT_KEYWORD_WINDOW, kKeywordWindowFormat);
  m_reporter->ShowWarningBox(FillMessage(format, {m_path, Number(m_reader.Line()), section, message}));
}
