// fablewick-story dump FILE: the story as the reader sees it, as one JSON object.
#include <cstdio>

#include "story/GameFile.h"
#include "tools/storytool/CommandLine.h"
#include "tools/storytool/JsonWriter.h"
#include "tools/storytool/ToolCommands.h"

namespace {

template <class Value>  // KeywordValue or SceneValue
void WriteValue(CJsonWriter& json, const char* key, const Value& value) {
  json.Key(key);
  json.BeginObject(true);
  json.Field("line", value.Line);
  json.Field("text", value.Text);
  json.EndObject();
}

void WriteTitle(CJsonWriter& json, const TitleSection& title) {
  json.Key("title");
  json.BeginObject();
  WriteValue(json, "Header", title.Header);
  WriteValue(json, "Name", title.Name);
  WriteValue(json, "Author", title.Author);
  WriteValue(json, "Artist", title.Artist);
  WriteValue(json, "Date", title.Date);
  WriteValue(json, "Version", title.Version);
  WriteValue(json, "Company", title.Company);
  WriteValue(json, "Contact", title.Contact);
  WriteValue(json, "Copyright", title.Copyright);
  json.EndObject();
}

void WriteSetup(CJsonWriter& json, const SetupSection& setup) {
  json.Key("setup");
  json.BeginObject();
  WriteValue(json, "Header", setup.Header);
  WriteValue(json, "MusicDir", setup.MusicDir);
  WriteValue(json, "SoundDir", setup.SoundDir);
  WriteValue(json, "ImageDir", setup.ImageDir);
  WriteValue(json, "FirstScene", setup.FirstScene);
  json.EndObject();
}

void WriteStrings(CJsonWriter& json, const char* key, const std::vector<std::string>& strings) {
  json.Key(key);
  json.BeginArray(true);
  for (const std::string& text : strings) json.String(text);
  json.EndArray();
}

void WriteComputed(CJsonWriter& json, const CGameFile& story, const SceneSection& scene) {
  json.Key("computed");
  json.BeginObject();
  json.Field("AnimInterval", story.AnimInterval(scene));
  json.Field("AnimLoops", story.AnimLoops(scene));
  json.Field("MusicLoops", story.MusicLoops(scene));
  json.Field("SoundLoops", story.SoundLoops(scene));
  json.Field("SoundDelayMin", story.SoundDelayMin(scene));
  json.Field("SoundDelayMax", story.SoundDelayMax(scene));
  std::vector<std::string> imagePaths;
  for (const std::string& frame : scene.Frames) imagePaths.push_back(story.ImagePath(frame));
  WriteStrings(json, "ImagePaths", imagePaths);
  json.Field("SoundPath", story.SoundPath(scene.Sound.Text));
  json.Field("MusicPath", story.MusicPath(scene.Music.Text));
  json.EndObject();
}

void WriteScene(CJsonWriter& json, const CGameFile& story, const SceneSection& scene) {
  json.BeginObject();
  WriteValue(json, "Header", scene.Header);
  WriteValue(json, "Sound", scene.Sound);
  WriteValue(json, "SoundLoop", scene.SoundLoop);
  WriteValue(json, "SoundDelay", scene.SoundDelay);
  WriteValue(json, "Music", scene.Music);
  WriteValue(json, "MusicLoop", scene.MusicLoop);
  WriteValue(json, "AnimLoop", scene.AnimLoop);
  WriteValue(json, "AnimSpeed", scene.AnimSpeed);
  WriteValue(json, "Description", scene.Description);
  WriteValue(json, "Option1", scene.Option1);
  WriteValue(json, "Link1", scene.Link1);
  WriteValue(json, "Option2", scene.Option2);
  WriteValue(json, "Link2", scene.Link2);
  WriteValue(json, "Option3", scene.Option3);
  WriteValue(json, "Link3", scene.Link3);
  WriteValue(json, "Option4", scene.Option4);
  WriteValue(json, "Link4", scene.Link4);
  json.Field("FramesLine", scene.FramesLine);
  WriteStrings(json, "Frames", scene.Frames);
  WriteComputed(json, story, scene);
  json.EndObject();
}

void WriteFirstScene(CJsonWriter& json, const CGameFile& story) {
  json.Key("firstScene");
  const SceneSection* first = story.GetFirstScene();
  const auto& scenes = story.Scenes();
  for (size_t i = 0; first && i < scenes.size(); ++i) {
    if (scenes[i].get() == first) {
      json.Number(static_cast<int64_t>(i));
      return;
    }
  }
  json.Null();
}

void WriteWarnings(CJsonWriter& json, const CGameFile& story) {
  json.Key("warnings");
  json.BeginArray();
  for (const UnexpectedKeyword& warning : story.UnexpectedKeywords()) {
    json.BeginObject(true);
    json.Field("keyword", warning.Keyword);
    json.Field("line", warning.Line);
    json.Field("section", warning.Section);
    json.EndObject();
  }
  json.EndArray();
}

int RunDump(const ToolArgs& args) {
  std::set<std::string> options;
  std::string argument, path;
  if (!ParseStoryArguments(args, {}, options, argument)) return UsageError(kDumpCommand);
  if (!ResolveStoryFile(argument, path)) return kExitUsage;

  CGameFile story;  // no reporter: the warnings are part of the output
  story.OpenStory(path, false, false, true);

  CJsonWriter json;
  json.BeginObject();
  json.Field("path", story.Path());
  json.Field("folder", story.Folder());
  WriteTitle(json, story.Title());
  WriteSetup(json, story.Setup());
  json.Key("scenes");
  json.BeginArray();
  // Written out in pieces large enough that a big story takes few system calls.
  const size_t kPieceBytes = 64u << 10;
  for (const auto& scene : story.Scenes()) {
    WriteScene(json, story, *scene);
    if (json.Text().size() >= kPieceBytes) json.Flush(stdout);
  }
  json.EndArray();
  WriteFirstScene(json, story);
  WriteWarnings(json, story);
  json.EndObject();
  json.Flush(stdout);
  std::printf("\n");
  return kExitOk;
}

}  // namespace

const ToolCommand kDumpCommand = {"dump", "FILE", RunDump};
