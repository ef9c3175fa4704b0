// Fuzz target for the story reader: the bytes become a gamefile.txt in a folder of its own,
// which is opened with validation (every window text built), inventoried, and read again for
// its name.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/FuzzStoryFolder.h"
#include "story/GameFile.h"
#include "story/StoryReporter.h"

namespace {

// Takes every text the story object shows, so that building them is exercised.
class CCountingReporter : public IStoryReporter {
 public:
  void ShowErrorBox(const std::string& text) override { m_bytes += text.size(); }
  void ShowWarningBox(const std::string& text) override { m_bytes += text.size(); }
  void BeginValidating() override {}
  void EndValidating() override {}
  void ShowStoryErrors(const std::string& storyName, const std::vector<std::string>& lines) override {
    m_bytes += storyName.size();
    for (const std::string& line : lines) m_bytes += line.size();
  }

 private:
  size_t m_bytes = 0;
};

// A picture in the story folder for stories that name one, so that the probes run too.
void WritePictureOnce() {
  static bool written = false;
  if (written) return;
  written = true;
  static const unsigned char kBmp[54] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                         8,   0,   0, 0, 8, 0, 0, 0, 1, 0, 24, 0};
  if (FILE* file = std::fopen((fuzz::StoryFolder() + "/a.bmp").c_str(), "wb")) {
    std::fwrite(kBmp, 1, sizeof kBmp, file);
    std::fclose(file);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WritePictureOnce();
  std::string path = fuzz::WriteStoryFile(data, size);
  if (path.empty()) return 0;

  CCountingReporter reporter;
  CGameFile story;
  story.SetReporter(&reporter);
  story.OpenStory(path, true, true, false);
  std::vector<std::string> sounds, pictures, music;
  story.FindUnusedResources(sounds, pictures, music);

  CGameFile quick;
  quick.SetReporter(&reporter);
  std::string name;
  quick.ReadStoryName(path, name);
  return 0;
}
