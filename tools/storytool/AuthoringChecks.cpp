#include "tools/storytool/AuthoringChecks.h"

#include <glib.h>

#include <algorithm>
#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "story/GameFile.h"
#include "story/StoryText.h"
#include "tools/storytool/LintReport.h"
#include "tools/storytool/StoryGraph.h"

using namespace story_text;

namespace {

const std::vector<std::string> kTitleKeywords = {"NAME",    "AUTHOR",  "ARTIST",  "DATE",
                                                 "VERSION", "COMPANY", "CONTACT", "COPYRIGHT"};
const std::vector<std::string> kSetupKeywords = {"MUSICDIR", "SOUNDDIR", "IMAGEDIR", "FIRSTSCENE"};
const std::vector<std::string> kSceneKeywords = {
    "IMAGE",   "ANIM",  "ANIMSPEED", "ANIMLOOP", "MUSIC",   "MUSICLOOP", "SOUND",   "SOUNDLOOP",
    "SOUNDDELAY", "DESCRIPTION", "OPTION1", "LINK1", "OPTION2", "LINK2", "OPTION3", "LINK3",
    "OPTION4", "LINK4"};
// A word longer than this is too far from every keyword to be a slip of the keyboard.
constexpr size_t kLongestSlip = 24;
// Keywords whose values are folder or file names.
const std::vector<std::string> kPathKeywords = {"IMAGEDIR", "MUSICDIR", "SOUNDDIR", "IMAGE", "ANIM", "SOUND", "MUSIC"};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SceneLabel(const SceneSection& scene) { return "scene " + Quoted(scene.Header.Text); }

// The text is one number as the reader reads numbers (blanks around it allowed).
bool IsWholeNumber(const std::string& text) {
  const char* start = text.c_str();
  char* end = nullptr;
  std::strtoll(start, &end, 0);
  if (end == start || !std::any_of(start, static_cast<const char*>(end), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  while (*end && IsWhiteSpace(static_cast<unsigned char>(*end))) ++end;
  return *end == '\0';
}

// A name reduced to what a reader would not tell apart: letter case and accents dropped.
std::string LooseName(const std::string& name) {
  std::string utf8 = platform::ToDisplayUtf8(name);
  gchar* decomposed = g_utf8_normalize(utf8.c_str(), -1, G_NORMALIZE_NFD);
  if (!decomposed) return utf8;
  std::string bare;
  for (const gchar* p = decomposed; *p; p = g_utf8_next_char(p)) {
    gunichar c = g_utf8_get_char(p);
    if (g_unichar_ismark(c)) continue;
    char encoded[6];
    bare.append(encoded, static_cast<size_t>(g_unichar_to_utf8(c, encoded)));
  }
  g_free(decomposed);
  gchar* folded = g_utf8_casefold(bare.c_str(), -1);
  std::string result = folded;
  g_free(folded);
  return result;
}

// A file in the folder of path whose name differs from path's only in case or accents.
std::string LookAlikeFile(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = path.substr(folder.size());
  std::vector<platform::DirEntry> entries;
  int error = 0;
  platform::ListDirectory(folder + "*", entries, error);
  const std::string wanted = LooseName(name);
  for (const platform::DirEntry& entry : entries)
    if (!entry.isFolder && entry.name != name && LooseName(entry.name) == wanted) return entry.name;
  return std::string();
}

bool IsMissingFileError(int32_t code) { return code >= 1009 && code <= 1011; }

uint32_t LineOfError(const CGameFile& story, const StoryError& error) {
  if (error.Line != 0 || error.Name.empty()) return error.Line;
  const SceneSection* scene = story.FindScene(error.Name);
  return scene ? scene->Header.Line : 0;
}

void CheckLoopCount(const SceneValue& value, const char* keyword, CLintReport& report) {
  if (value.Text.empty() || EqualsNoCase(value.Text, "FOREVER") || IsWholeNumber(value.Text)) return;
  report.Add(value.Line, LintSeverity::Warning,
             std::string(keyword) + " " + Quoted(value.Text) + " is neither a number nor FOREVER: it is read as " +
                 std::to_string(ToSigned(value.Text)));
}

void CheckAnimSpeed(const CGameFile& story, const SceneSection& scene, CLintReport& report) {
  const std::string& speed = scene.AnimSpeed.Text;
  if (speed.empty() || EqualsNoCase(speed, "SLOW") || EqualsNoCase(speed, "MEDIUM") || EqualsNoCase(speed, "FAST"))
    return;
  if (IsWholeNumber(speed) && ToSigned(speed) > 0) return;
  std::string outcome = ToSigned(speed) == 0 ? "the animation plays at the default speed (MEDIUM)"
                                             : "it is read as " + std::to_string(story.AnimInterval(scene)) +
                                                   " ms between pictures";
  report.Add(scene.AnimSpeed.Line, LintSeverity::Warning,
             "ANIMSPEED " + Quoted(speed) + " is neither SLOW, MEDIUM, FAST nor a number of pictures a second: " +
                 outcome);
}

// A number, or RANDOM with two numbers joined by '-' (or ',').
bool IsDelayForm(const std::string& text) {
  if (IsWholeNumber(text)) return true;
  if (!StartsWithNoCase(text, "RANDOM")) return false;
  std::string range = text.substr(6);
  size_t separator = range.find_first_of("-,");
  return separator != std::string::npos && IsWholeNumber(range.substr(0, separator)) &&
         IsWholeNumber(range.substr(separator + 1));
}

void CheckSoundDelay(const CGameFile& story, const SceneSection& scene, CLintReport& report) {
  const std::string& delay = scene.SoundDelay.Text;
  if (delay.empty() || IsDelayForm(delay)) return;
  report.Add(scene.SoundDelay.Line, LintSeverity::Warning,
             "SOUNDDELAY " + Quoted(delay) + " is neither a number nor RANDOM min-max: it is read as " +
                 std::to_string(story.SoundDelayMin(scene)) + " to " + std::to_string(story.SoundDelayMax(scene)) +
                 " ms");
}

const std::vector<std::string>* KeywordsOfSection(const std::string& section) {
  if (section.empty()) return nullptr;
  if (EqualsNoCase(section, "TITLE")) return &kTitleKeywords;
  if (EqualsNoCase(section, "SETUP")) return &kSetupKeywords;
  return &kSceneKeywords;
}

std::string SectionLabel(const std::vector<std::string>* keywords) {
  if (keywords == &kTitleKeywords) return "the title section";
  if (keywords == &kSetupKeywords) return "the setup section";
  return "a scene";
}

bool Knows(const std::vector<std::string>& keywords, const std::string& word) {
  return std::any_of(keywords.begin(), keywords.end(), [&word](const std::string& k) { return EqualsNoCase(k, word); });
}

std::string AdviceForKeyword(const std::string& keyword, const std::vector<std::string>* keywords) {
  size_t equals = keyword.find('=');
  if (equals != std::string::npos && equals > 0 && Knows(*keywords, keyword.substr(0, equals)))
    return "did you mean @" + keyword.substr(0, equals) + " = ...? (\"=\" needs a blank before it)";
  for (const std::vector<std::string>* other : {&kTitleKeywords, &kSetupKeywords, &kSceneKeywords})
    if (other != keywords && Knows(*other, keyword)) return "it belongs in " + SectionLabel(other);
  std::string nearest = NearestKeyword(keyword, *keywords);
  if (!nearest.empty()) return "did you mean @" + nearest + "?";
  return "its value is ignored";
}

size_t EditDistance(const std::string& first, const std::string& second) {
  const std::string a = story_text::FoldCase(first), b = story_text::FoldCase(second);
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      size_t substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// A folder or file keyword at the start of a line and its value up to a comment, or false.
bool SplitPathKeyword(const std::string& line, std::string& keyword, std::string& value) {
  size_t at = line.find_first_not_of(" \t\v\f");
  if (at == std::string::npos || line[at] != '@') return false;
  size_t end = line.find_first_of(" \t\v\f", at);
  if (end == std::string::npos) return false;
  keyword = line.substr(at + 1, end - at - 1);
  if (!Knows(kPathKeywords, keyword)) return false;
  value = line.substr(end, line.find("//") == std::string::npos ? std::string::npos : line.find("//") - end);
  size_t first = value.find_first_not_of(" \t\v\f");
  if (first != std::string::npos && value[first] == '=') first = value.find_first_not_of(" \t\v\f", first + 1);
  value = first == std::string::npos ? std::string() : value.substr(first);
  TrimRight(value);
  return true;
}

// An escape changed the value: a backslash before anything but another backslash or the end.
bool EscapeSwallows(const std::string& value) {
  for (size_t i = 0; i + 1 < value.size(); ++i) {
    if (value[i] != '\\') continue;
    if (value[i + 1] != '\\') return true;
    ++i;
  }
  return false;
}

std::string Visible(std::string text) {
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.replace(at, 1, "\\n");
  return text;
}

// Line by line, without keeping the lines: a big story has hundreds of thousands of them.
void CheckEscapes(const std::string& bytes, CLintReport& report) {
  uint32_t number = 1;
  for (size_t start = 0; start <= bytes.size(); ++number) {
    size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string_view line(bytes.data() + start, end - start);
    start = end + 1;
    if (line.find('\\') == std::string_view::npos) continue;  // nothing an escape could eat
    if (line.back() == '\r') line.remove_suffix(1);
    std::string keyword, value;
    if (!SplitPathKeyword(std::string(line), keyword, value) || !EscapeSwallows(value)) continue;
    report.Add(number, LintSeverity::Warning,
               keyword + " " + Quoted(value) + " is read as " + Quoted(Visible(ToSlashes(Unescape(value)))) +
                   ": a backslash drops the character after it; probably meant " + Quoted(ToSlashes(value)));
  }
}

void CheckByteOrderMark(const std::string& bytes, CLintReport& report) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    report.Add(1, LintSeverity::Error, "the file is saved as UTF-16: save it as UTF-8 (without a byte-order mark)");
    return;
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0) return;
  size_t first = bytes.find_first_not_of(" \t\v\f", 3);
  if (first == std::string::npos || bytes[first] != '[') return;
  size_t close = bytes.find_first_of("]\n", first);
  std::string header = bytes.substr(first, close == std::string::npos ? std::string::npos : close - first + 1);
  report.Add(1, LintSeverity::Error,
             "a byte-order mark before the first \"[\" hides the header " + header +
                 ": save the file without a byte-order mark");
}

}  // namespace

std::string NearestKeyword(const std::string& word, const std::vector<std::string>& candidates) {
  std::string nearest;
  if (word.size() > kLongestSlip) return nearest;  // far longer than any keyword
  size_t best = std::max<size_t>(1, word.size() / 3) + 1;
  for (const std::string& candidate : candidates) {
    size_t distance = EditDistance(word, candidate);
    if (distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

void AddValidationErrors(const CGameFile& story, CLintReport& report) {
  for (const StoryError& error : story.Errors()) {
    std::string text = CGameFile::FormatStoryError({error.Code, error.Name, error.Path, 0});
    text.erase(0, text.find(' ') + 1);  // "Error! " goes: the severity says it
    if (IsMissingFileError(error.Code)) {
      std::string lookAlike = LookAlikeFile(error.Path);
      if (!lookAlike.empty()) text += "; did you mean " + lookAlike + "?";
    }
    report.Add(LineOfError(story, error), LintSeverity::Error, text);
  }
}

void CheckSceneGraph(const CGameFile& story, const CStoryGraph& graph, CLintReport& report) {
  const CGameFile::SceneList& scenes = story.Scenes();
  for (size_t i = 0; i < scenes.size(); ++i) {
    const SceneSection& scene = *scenes[i];
    int namesake = graph.EarlierNamesake(i);
    if (namesake >= 0) {
      report.Add(scene.Header.Line, LintSeverity::Warning,
                 SceneLabel(scene) + " is defined again: only the first, at line " +
                     std::to_string(scenes[static_cast<size_t>(namesake)]->Header.Line) + ", can be entered");
    } else if (graph.FirstScene() >= 0 && !graph.IsReachable(i)) {
      report.Add(scene.Header.Line, LintSeverity::Warning,
                 SceneLabel(scene) + " cannot be reached: no chain of links from the first scene leads to it");
    }
    if (graph.IsEnding(i))
      report.Add(scene.Header.Line, LintSeverity::Note, SceneLabel(scene) + " has no options: the story ends here");
  }
}

void CheckInterpretedValues(const CGameFile& story, CLintReport& report) {
  for (const auto& scene : story.Scenes()) {
    CheckAnimSpeed(story, *scene, report);
    CheckLoopCount(scene->AnimLoop, "ANIMLOOP", report);
    CheckLoopCount(scene->MusicLoop, "MUSICLOOP", report);
    CheckLoopCount(scene->SoundLoop, "SOUNDLOOP", report);
    CheckSoundDelay(story, *scene, report);
  }
}

void CheckUnexpectedKeywords(const CGameFile& story, CLintReport& report) {
  for (const UnexpectedKeyword& unexpected : story.UnexpectedKeywords()) {
    const std::vector<std::string>* keywords = KeywordsOfSection(unexpected.Section);
    std::string text = "@" + unexpected.Keyword;
    if (!keywords)
      text += " stands before the first section header and is ignored";
    else
      text += " is not a keyword of " + SectionLabel(keywords) + ": " + AdviceForKeyword(unexpected.Keyword, keywords);
    report.Add(unexpected.Line, LintSeverity::Warning, text);
  }
}

void CheckFileText(const std::string& bytes, CLintReport& report) {
  CheckByteOrderMark(bytes, report);
  CheckEscapes(bytes, report);
}

void CheckStoryAndFile(const CGameFile& story, const std::string& bytes, CLintReport& report) {
  AddValidationErrors(story, report);
  CheckSceneGraph(story, CStoryGraph(story), report);
  CheckInterpretedValues(story, report);
  CheckUnexpectedKeywords(story, report);
  CheckFileText(bytes, report);
}
