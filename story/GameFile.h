#pragma once
// CGameFile: one story. It reads gamefile.txt into its records, answers lookups and turns the
// stored texts into numbers and paths, validates the story and words its errors, and takes the
// inventory of media files that no scene uses.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "story/MediaFiles.h"
#include "story/SceneIndex.h"
#include "story/StoryArena.h"
#include "story/StoryCharReader.h"
#include "story/StoryRecords.h"

class IStoryReporter;

class CGameFile {
 public:
  // The scene records live in the story's arena: letting go of one only destroys it.
  struct DestroyScene {
    void operator()(SceneSection* scene) const { scene->~SceneSection(); }
  };
  using SceneList = std::vector<std::unique_ptr<SceneSection, DestroyScene>>;

  CGameFile();
  ~CGameFile();
  CGameFile(const CGameFile&) = delete;
  CGameFile& operator=(const CGameFile&) = delete;

  // Where message boxes, the validation notice and the error list go; none shows nothing.
  void SetReporter(IStoryReporter* reporter) { m_reporter = reporter; }

  // --- Reading ---
  // Reads the story and, when asked, validates it. False only when validation found errors.
  // A file that cannot be opened leaves an empty story and still gives true: the caller finds
  // no first scene.
  bool OpenStory(const std::string& path, bool validate, bool checkImageSizes, bool quiet);
  // Reads the whole file into the records. False when the file cannot be opened or memory ran
  // out (the story is then released).
  bool ParseStory(const std::string& path);
  // Reads only as far as the story's NAME. On failure reports why (unless the file cannot be
  // opened) and returns false. The story is released before it returns.
  bool ReadStoryName(const std::string& path, std::string& name);
  // Deletes all scenes, frees the read buffer and clears Valid.
  void ReleaseStory();

  // --- Lookups and interpreted values ---
  // The first scene in file order whose name equals name, ignoring case.
  const SceneSection* FindScene(std::string_view name) const;
  const SceneSection* GetFirstScene() const;
  bool HasStory() const { return !m_title.Name.Text.empty(); }
  std::string ImagePath(const std::string& fileName) const;
  std::string SoundPath(const std::string& fileName) const;
  std::string MusicPath(const std::string& fileName) const;  // empty for an empty name
  static std::string JoinPath(const std::string& base, const std::string& part);

  uint32_t AnimInterval(const SceneSection& scene) const;  // milliseconds between frames
  int32_t AnimLoops(const SceneSection& scene) const;      // -1 = without end
  int32_t MusicLoops(const SceneSection& scene) const;
  int32_t SoundLoops(const SceneSection& scene) const;
  uint32_t SoundDelayMin(const SceneSection& scene) const;  // milliseconds
  uint32_t SoundDelayMax(const SceneSection& scene) const;

  // --- Validation ---
  // Runs every check; unless quiet shows the validation notice and, on errors, the error list.
  // True when errors were found.
  bool ValidateStory(bool checkImageSizes, bool quiet);
  void ValidateTitle();
  void ValidateSetup();
  void ValidateScene(const SceneSection& scene, bool checkImageSizes);
  // Sorts the errors by path (ignoring case) and code, and words them one a line, listing a
  // code once for each path.
  std::vector<std::string> StoryErrorLines();
  void ShowStoryErrors();
  static std::string FormatStoryError(const StoryError& error);

  // Immediate message windows about this story's file.
  void ReportFileError(int32_t code, const std::string& section);
  void ReportLineError(int32_t code, uint32_t line, const std::string& section);
  void ReportUnexpectedKeyword(const std::string& keyword, const std::string& section);

  // --- Unused media ---
  // Sorted names of the sounds (.wav, .ogg), pictures (.bmp, .png) and music (.mid) in the
  // story's media folders that no scene uses. A scene uses the file that opening its reference
  // opens (letter case resolved as every open resolves it). Without scenes the lists are empty.
  void FindUnusedResources(std::vector<std::string>& sounds, std::vector<std::string>& pictures,
                           std::vector<std::string>& music) const;
  // Moves the listed files to the trash. Only regular files (not links) that lie inside the
  // story's own folder tree are moved; others stay. Tells for each file whether it moved.
  std::vector<RecycleOutcome> DeleteUnusedResources(const std::vector<std::string>& sounds,
                                                    const std::vector<std::string>& pictures,
                                                    const std::vector<std::string>& music) const;

  // --- State ---
  bool IsValid() const { return m_valid; }
  const std::string& Path() const { return m_path; }
  const std::string& Folder() const { return m_folder; }
  const TitleSection& Title() const { return m_title; }
  const SetupSection& Setup() const { return m_setup; }
  const SceneList& Scenes() const { return m_scenes; }
  const std::vector<StoryError>& Errors() const { return m_errors; }
  // The keywords of the latest read that their sections did not know, in the order met.
  const std::vector<UnexpectedKeyword>& UnexpectedKeywords() const { return m_unexpected; }

 private:
  enum class SectionKind { None, Title, Setup, Scene, Other };
  enum class ScanMode { WholeStory, NameOnly };

  void ResetForRead();
  void ReleaseScenes();
  void ScanFile(ScanMode mode);
  void IndexScenes();
  void ReadSectionName();
  void EnterSection(ScanMode mode);
  void ReadKeyword();
  uint16_t SkipWhiteSpace(uint16_t& previous);
  void ReadValue(uint16_t first);
  struct KeywordTarget;
  KeywordTarget FindKeyword(const std::string& keyword);
  void AddError(int32_t code, const std::string& name, const std::string& path, uint32_t line);
  std::string MediaFolder(const std::string& directory) const;
  void ShowErrorBox(const std::string& text) const;

  bool m_valid = false;
  std::string m_path;
  std::string m_folder;
  TitleSection m_title;
  SetupSection m_setup;
  CStoryArena m_arena;  // the scenes and their values; declared first, so that it goes last
  SceneList m_scenes;
  std::vector<StoryError> m_errors;
  std::vector<UnexpectedKeyword> m_unexpected;
  CSceneIndex m_sceneIndex;

  // Reader state.
  CStoryCharReader m_reader;
  std::string m_sectionName;
  uint32_t m_sectionLine = 0;
  SectionKind m_sectionKind = SectionKind::None;
  SceneSection* m_currentScene = nullptr;
  bool m_titleHeaderMet = false;
  std::string m_value;  // the value being read

  IStoryReporter* m_reporter = nullptr;
};
