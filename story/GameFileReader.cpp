// CGameFile: reading gamefile.txt.
#include <algorithm>
#include <new>
#include <utility>

#include "story/GameFile.h"
#include "story/StoryText.h"

using namespace story_text;

namespace {

constexpr uint16_t kEndOfFile = CStoryCharReader::kEndOfFile;

struct NamedField {
  std::string_view keyword;
  KeywordValue TitleSection::*title;
  KeywordValue SetupSection::*setup;
  SceneValue SceneSection::*scene;
};

const NamedField kTitleKeywords[] = {
    {"NAME", &TitleSection::Name, nullptr, nullptr},
    {"AUTHOR", &TitleSection::Author, nullptr, nullptr},
    {"ARTIST", &TitleSection::Artist, nullptr, nullptr},
    {"DATE", &TitleSection::Date, nullptr, nullptr},
    {"VERSION", &TitleSection::Version, nullptr, nullptr},
    {"COMPANY", &TitleSection::Company, nullptr, nullptr},
    {"CONTACT", &TitleSection::Contact, nullptr, nullptr},
    {"COPYRIGHT", &TitleSection::Copyright, nullptr, nullptr},
};

const NamedField kSetupKeywords[] = {
    {"MUSICDIR", nullptr, &SetupSection::MusicDir, nullptr},
    {"SOUNDDIR", nullptr, &SetupSection::SoundDir, nullptr},
    {"IMAGEDIR", nullptr, &SetupSection::ImageDir, nullptr},
    {"FIRSTSCENE", nullptr, &SetupSection::FirstScene, nullptr},
};

// IMAGE and ANIM fill the frame list and are handled apart.
const NamedField kSceneKeywords[] = {
    {"SOUND", nullptr, nullptr, &SceneSection::Sound},
    {"SOUNDLOOP", nullptr, nullptr, &SceneSection::SoundLoop},
    {"SOUNDDELAY", nullptr, nullptr, &SceneSection::SoundDelay},
    {"MUSIC", nullptr, nullptr, &SceneSection::Music},
    {"MUSICLOOP", nullptr, nullptr, &SceneSection::MusicLoop},
    {"ANIMLOOP", nullptr, nullptr, &SceneSection::AnimLoop},
    {"ANIMSPEED", nullptr, nullptr, &SceneSection::AnimSpeed},
    {"DESCRIPTION", nullptr, nullptr, &SceneSection::Description},
    {"OPTION1", nullptr, nullptr, &SceneSection::Option1},
    {"LINK1", nullptr, nullptr, &SceneSection::Link1},
    {"OPTION2", nullptr, nullptr, &SceneSection::Option2},
    {"LINK2", nullptr, nullptr, &SceneSection::Link2},
    {"OPTION3", nullptr, nullptr, &SceneSection::Option3},
    {"LINK3", nullptr, nullptr, &SceneSection::Link3},
    {"OPTION4", nullptr, nullptr, &SceneSection::Option4},
    {"LINK4", nullptr, nullptr, &SceneSection::Link4},
};

// An ASCII keyword is matched by its capitals, byte for byte, which is quick; a keyword with
// other letters is compared as names are, ignoring case.
template <size_t N>
const NamedField* FindNamed(const NamedField (&table)[N], const std::string& keyword) {
  std::string capitals = keyword;
  for (char& c : capitals) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      for (const NamedField& entry : table)
        if (EqualsNoCase(keyword, entry.keyword)) return &entry;
      return nullptr;
    }
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const NamedField& entry : table)
    if (entry.keyword == capitals) return &entry;
  return nullptr;
}

bool IsBlank(uint16_t c) { return c != '\n' && IsWhiteSpace(c); }

// The picture names of an ANIM value, separated by commas, each trimmed.
void SplitFrames(std::string rest, std::vector<std::string>& frames) {
  while (!rest.empty()) {
    size_t start = 0;
    while (start < rest.size() && IsWhiteSpace(static_cast<unsigned char>(rest[start]))) ++start;
    rest.erase(0, start);
    size_t comma = rest.find(',');
    std::string frame = rest.substr(0, comma);
    TrimRight(frame);
    frames.push_back(frame);
    if (comma == std::string::npos) break;
    rest.erase(0, comma + 1);
  }
}

// The story folder: the path up to its last '/', with that '/'; empty when it has none.
std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

// Where the value of a keyword goes in the current section.
struct CGameFile::KeywordTarget {
  KeywordValue* field = nullptr;
  SceneValue* sceneField = nullptr;
  bool image = false;
  bool anim = false;
  bool Known() const { return field || sceneField || image || anim; }
};

void CGameFile::ResetForRead() {
  ReleaseScenes();
  m_reader.AllocateBuffer();
  m_reader.Reset();
  m_setup = SetupSection();
  m_unexpected.clear();
}

bool CGameFile::OpenStory(const std::string& path, bool validate, bool checkImageSizes, bool quiet) {
  ResetForRead();
  if (!ParseStory(path)) {
    // Nothing of an earlier story may remain: its title would make the empty story look loaded.
    m_title = TitleSection();
    return true;
  }
  if (!validate) {
    m_valid = true;
    return true;
  }
  m_valid = !ValidateStory(checkImageSizes, quiet);
  return m_valid;
}

bool CGameFile::ParseStory(const std::string& path) {
  if (!m_reader.HasBuffer()) m_reader.AllocateBuffer();
  if (!m_reader.Open(path)) return false;
  ReleaseScenes();  // for callers that read without OpenStory
  m_unexpected.clear();
  m_path = path;
  m_folder = FolderOf(path);
  m_sectionName.clear();
  m_sectionLine = 0;
  m_sectionKind = SectionKind::None;
  m_currentScene = nullptr;
  m_title = TitleSection();
  m_setup = SetupSection();
  try {
    ScanFile(ScanMode::WholeStory);
    IndexScenes();
  } catch (const std::bad_alloc&) {
    ReleaseStory();
    return false;
  }
  m_reader.Close();
  return true;
}

// Made once all scenes are known, so that the index needs no room to grow.
void CGameFile::IndexScenes() {
  m_sceneIndex.Reset(m_scenes.size(), m_arena);
  for (const auto& scene : m_scenes) m_sceneIndex.Add(scene.get(), m_arena);  // keeps the first of a name
}

bool CGameFile::ReadStoryName(const std::string& path, std::string& name) {
  ResetForRead();
  m_title = TitleSection();
  name.clear();
  if (!m_reader.Open(path)) {
    ReleaseStory();
    return false;
  }
  m_path = path;
  m_sectionName.clear();
  m_sectionLine = 0;
  m_sectionKind = SectionKind::None;
  m_titleHeaderMet = false;
  try {
    ScanFile(ScanMode::NameOnly);
  } catch (const std::bad_alloc&) {
    ReleaseStory();
    return false;
  }
  m_reader.Close();

  bool found = false;
  if (!m_titleHeaderMet) {
    ReportFileError(1015, "TITLE");
  } else if (!m_title.Name.Text.empty()) {
    name = m_title.Name.Text;
    found = true;
  } else if (!m_title.Header.Text.empty()) {
    ReportLineError(1020, m_title.Header.Line, m_title.Header.Text);
  } else {
    ReportLineError(1016, 0, m_title.Header.Text);
  }
  ReleaseStory();
  return found;
}

// The structure scan: at the first non-blank character of a line '[' opens a section header
// and '@' a keyword; everything else is free text.
void CGameFile::ScanFile(ScanMode mode) {
  bool atLineStart = true;
  for (;;) {
    uint16_t c = m_reader.GetChar();
    if (c == kEndOfFile) return;
    if (c == '\n') {
      atLineStart = true;
      continue;
    }
    if (!atLineStart) {
      m_reader.SkipPlainRun();  // the rest of a line of free text
      continue;
    }
    if (IsBlank(c)) continue;
    if (c == '[') {
      ReadSectionName();
      EnterSection(mode);
      continue;  // a keyword may follow the header on its line
    }
    atLineStart = false;
    if (c != '@') continue;
    if (mode == ScanMode::NameOnly) {
      if (m_sectionKind != SectionKind::Title) continue;  // skipped as free text
      ReadKeyword();
      if (!m_title.Name.Text.empty()) return;
    } else {
      ReadKeyword();
    }
  }
}

void CGameFile::ReadSectionName() {
  m_sectionLine = m_reader.Line();
  m_sectionName.clear();
  for (;;) {
    m_reader.TakeNameRun(m_sectionName);
    uint16_t c = m_reader.GetChar();
    if (c == kEndOfFile || c == ']') return;
    m_sectionName += static_cast<char>(c);
  }
}

void CGameFile::EnterSection(ScanMode mode) {
  if (EqualsNoCase(m_sectionName, "TITLE")) {
    m_sectionKind = SectionKind::Title;
    m_titleHeaderMet = true;
  } else if (mode == ScanMode::NameOnly) {
    m_sectionKind = SectionKind::Other;
  } else if (EqualsNoCase(m_sectionName, "SETUP")) {
    m_sectionKind = SectionKind::Setup;
  } else {
    m_scenes.emplace_back();  // room first: the record must always have an owner
    m_currentScene = m_arena.New<SceneSection>();
    m_scenes.back().reset(m_currentScene);
    m_currentScene->Header.Line = m_sectionLine;
    m_currentScene->Header.Text = m_arena.AddText(m_sectionName);
    m_sectionKind = SectionKind::Scene;
  }
}

uint16_t CGameFile::SkipWhiteSpace(uint16_t& previous) {
  for (;;) {
    uint16_t c = m_reader.GetChar();
    if (c == kEndOfFile || !IsWhiteSpace(c)) return c;
    previous = c;
  }
}

// Entered after the '@'.
void CGameFile::ReadKeyword() {
  std::string keyword;
  uint16_t c;
  for (;;) {
    m_reader.TakeWordRun(keyword);
    c = m_reader.GetChar();
    if (c == kEndOfFile) return;
    if (IsWhiteSpace(c)) break;
    keyword += static_cast<char>(c);
  }
  uint16_t previous = c;
  c = SkipWhiteSpace(previous);
  if (c == kEndOfFile) return;
  if (c == '=') {
    previous = c;
    c = SkipWhiteSpace(previous);
  }
  // A keyword or header first on the next line leaves this value empty; the line feed goes
  // back so that the structure scan sees that character at a line start.
  bool empty = previous == '\n' && (c == '@' || c == '[');
  if (empty) {
    m_reader.UngetChar(c);
    m_reader.UngetChar('\n');
  } else if (c == kEndOfFile) {
    return;
  }
  uint32_t line = m_reader.Line();

  if (m_sectionKind == SectionKind::Title && m_title.Header.Text.empty())
    m_title.Header = KeywordValue{m_sectionLine, m_sectionName};
  if (m_sectionKind == SectionKind::Setup && m_setup.Header.Text.empty())
    m_setup.Header = KeywordValue{m_sectionLine, m_sectionName};

  KeywordTarget target = FindKeyword(keyword);
  if (!target.Known()) {
    m_unexpected.push_back(UnexpectedKeyword{keyword, line, m_sectionName});
    ReportUnexpectedKeyword(keyword, m_sectionName);
    if (!empty) m_reader.UngetChar(c);  // the value is free text for the structure scan
    return;
  }
  if (empty)
    m_value.clear();
  else
    ReadValue(c);
  if (target.field) {
    target.field->Line = line;
    target.field->Text = m_value;
  } else if (target.sceneField) {
    target.sceneField->Line = line;
    target.sceneField->Text = m_arena.AddText(m_value);
  } else {
    m_currentScene->FramesLine = line;
    if (target.image)
      m_currentScene->Frames.push_back(m_value);
    else
      SplitFrames(m_value, m_currentScene->Frames);
  }
}

CGameFile::KeywordTarget CGameFile::FindKeyword(const std::string& keyword) {
  KeywordTarget target;
  const NamedField* entry = nullptr;
  switch (m_sectionKind) {
    case SectionKind::Title:
      if ((entry = FindNamed(kTitleKeywords, keyword))) target.field = &(m_title.*(entry->title));
      break;
    case SectionKind::Setup:
      if ((entry = FindNamed(kSetupKeywords, keyword))) target.field = &(m_setup.*(entry->setup));
      break;
    case SectionKind::Scene:
      if ((entry = FindNamed(kSceneKeywords, keyword)))
        target.sceneField = &(m_currentScene->*(entry->scene));
      target.image = EqualsNoCase(keyword, "IMAGE");
      target.anim = EqualsNoCase(keyword, "ANIM");
      break;
    case SectionKind::None:
    case SectionKind::Other:
      break;
  }
  return target;
}

// Reads a value that begins with first: it runs over the following lines up to a line whose
// very first character is '@' or '['. Line feeds become spaces (none after a space), trailing
// white space goes, and the escapes are resolved. The value is left in m_value, whose buffer
// serves every value of the read.
void CGameFile::ReadValue(uint16_t first) {
  std::string& text = m_value;
  text.assign(1, static_cast<char>(first));
  uint16_t previous = first;
  bool atLineStart = false;
  for (;;) {
    if (!atLineStart && m_reader.TakePlainRun(text) > 0) previous = static_cast<unsigned char>(text.back());
    uint16_t c = m_reader.GetChar();
    if (c == kEndOfFile) break;
    if (atLineStart && (c == '@' || c == '[')) {
      m_reader.UngetChar(c);
      m_reader.UngetChar('\n');
      break;
    }
    atLineStart = c == '\n';
    if (!atLineStart)
      text += static_cast<char>(c);
    else if (previous != ' ')
      text += ' ';
    previous = c;
  }
  TrimRight(text);
  text = Unescape(std::move(text));
}
