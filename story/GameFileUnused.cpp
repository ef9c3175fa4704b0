// CGameFile: the inventory of media files that no scene uses, and moving them to the trash.
#include <deque>
#include <unordered_map>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/MediaFiles.h"
#include "story/StoryText.h"

using namespace story_text;

namespace {

// A list of file names from which references strike out, each the first not yet struck name
// that equals it ignoring case.
class NameList {
 public:
  explicit NameList(std::vector<std::string>& names) : m_names(names), m_used(names.size(), false) {
    for (size_t i = 0; i < names.size(); ++i) m_positions[FoldCase(names[i])].push_back(i);
  }

  void StrikeOut(const std::string& reference) {
    auto found = m_positions.find(FoldCase(reference));
    if (found == m_positions.end() || found->second.empty()) return;
    m_used[found->second.front()] = true;
    found->second.pop_front();
  }

  // Leaves only the names that were not struck out, in their order.
  void KeepUnused() {
    std::vector<std::string> unused;
    for (size_t i = 0; i < m_names.size(); ++i)
      if (!m_used[i]) unused.push_back(std::move(m_names[i]));
    m_names.swap(unused);
  }

 private:
  std::vector<std::string>& m_names;
  std::vector<bool> m_used;
  std::unordered_map<std::string, std::deque<size_t>> m_positions;
};

// Whether the file may be moved to the trash: a regular file, not a link, that lies inside the
// story's folder tree once '..' and links are resolved. Sets canonical to its real path.
bool MayTrash(const std::string& path, const std::string& storyRoot, std::string& canonical) {
  if (storyRoot.empty() || platform::IsSymbolicLink(path)) return false;
  canonical = platform::GetCanonicalPath(path);
  return !canonical.empty() && platform::GetFileKind(canonical) == platform::FileKind::Regular &&
         platform::IsInsideFolder(canonical, storyRoot);
}

}  // namespace

void CGameFile::FindUnusedResources(std::vector<std::string>& sounds, std::vector<std::string>& pictures,
                                    std::vector<std::string>& music) const {
  sounds = FindFiles(SoundPath("*.wav"));
  pictures = FindFiles(ImagePath("*.bmp"));
  music = FindFiles(MusicPath("*.mid"));
  NameList soundList(sounds), pictureList(pictures), musicList(music);
  for (const auto& scene : m_scenes) {
    if (!scene->Sound.Text.empty()) soundList.StrikeOut(scene->Sound.Text);
    if (!scene->Music.Text.empty()) musicList.StrikeOut(scene->Music.Text);
    for (const std::string& frame : scene->Frames) pictureList.StrikeOut(frame);
  }
  soundList.KeepUnused();
  pictureList.KeepUnused();
  musicList.KeepUnused();
}

size_t CGameFile::DeleteUnusedResources(const std::vector<std::string>& sounds,
                                        const std::vector<std::string>& pictures,
                                        const std::vector<std::string>& music) const {
  std::string storyRoot = platform::GetCanonicalPath(m_folder.empty() ? "." : m_folder);
  size_t moved = 0;
  auto recycle = [&](const std::string& path) {
    std::string canonical;
    if (MayTrash(path, storyRoot, canonical) && RecycleFile(canonical)) ++moved;
  };
  for (const std::string& name : sounds) recycle(SoundPath(name));
  for (const std::string& name : pictures) recycle(ImagePath(name));
  for (const std::string& name : music) recycle(MusicPath(name));
  return moved;
}
