// CGameFile: the inventory of media files that no scene uses, and moving them to the trash.
#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "platform/FileSystem.h"
#include "story/GameFile.h"
#include "story/MediaFiles.h"

namespace {

// The folder entry that opening path reaches: the path resolved as the player resolves it when
// it opens a file (letter case, the exact name first), its folder made canonical so that
// '..' and linked folders name one place. Empty when the folder does not exist.
class EntryFinder {
 public:
  std::string EntryOf(const std::string& path) {
    const std::string resolved = platform::ResolvePath(path);
    const size_t slash = resolved.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : resolved.substr(0, slash + 1);
    auto known = m_folders.find(folder);
    if (known == m_folders.end()) known = m_folders.emplace(folder, platform::GetCanonicalPath(folder)).first;
    if (known->second.empty()) return std::string();
    return known->second + "/" + resolved.substr(slash == std::string::npos ? 0 : slash + 1);
  }

 private:
  std::map<std::string, std::string> m_folders;  // folder as written -> canonical folder
};

// The names of the files of one kind in one folder (all patterns merged, sorted by bytes) from
// which the scenes' references strike out the files they open.
class MediaList {
 public:
  MediaList(std::vector<std::string>& names, const std::vector<std::string>& patterns,
            std::function<std::string(const std::string&)> pathOf, EntryFinder& entries)
      : m_names(names), m_pathOf(std::move(pathOf)), m_entries(entries) {
    m_names.clear();
    for (const std::string& pattern : patterns) {
      std::vector<std::string> found = FindFiles(m_pathOf(pattern));
      m_names.insert(m_names.end(), found.begin(), found.end());
    }
    std::sort(m_names.begin(), m_names.end());
  }

  void StrikeOut(const std::string& reference) { m_used.insert(m_entries.EntryOf(m_pathOf(reference))); }

  // Leaves only the names of files no reference opens, in their order.
  void KeepUnused() {
    m_names.erase(std::remove_if(m_names.begin(), m_names.end(),
                                 [&](const std::string& name) { return m_used.count(m_entries.EntryOf(m_pathOf(name))) > 0; }),
                  m_names.end());
  }

 private:
  std::vector<std::string>& m_names;
  std::function<std::string(const std::string&)> m_pathOf;
  EntryFinder& m_entries;
  std::set<std::string> m_used;
};

// Why the file must stay where it is; empty when it may go to the trash: a regular file, not a
// link, that lies inside the story's folder tree once '..' and links are resolved. Sets
// canonical to its real path.
std::string ReasonToKeep(const std::string& path, const std::string& storyRoot, std::string& canonical) {
  if (platform::IsSymbolicLink(path)) return "it is a link";
  canonical = platform::GetCanonicalPath(path);
  if (canonical.empty()) return "it does not exist";
  if (platform::GetFileKind(canonical) != platform::FileKind::Regular) return "it is not a regular file";
  if (storyRoot.empty() || !platform::IsInsideFolder(canonical, storyRoot))
    return "it lies outside the story's folder";
  return std::string();
}

}  // namespace

void CGameFile::FindUnusedResources(std::vector<std::string>& sounds, std::vector<std::string>& pictures,
                                    std::vector<std::string>& music) const {
  sounds.clear();
  pictures.clear();
  music.clear();
  // Without scenes nothing is known to be used, so nothing can be called unused.
  if (m_scenes.empty()) return;
  platform::FolderIndexScope folderIndex;  // names in another case: each folder is read once, not per name
  EntryFinder entries;
  MediaList soundList(sounds, {"*.wav", "*.ogg"}, [this](const std::string& n) { return SoundPath(n); }, entries);
  MediaList pictureList(pictures, {"*.bmp", "*.png"}, [this](const std::string& n) { return ImagePath(n); }, entries);
  MediaList musicList(music, {"*.mid"}, [this](const std::string& n) { return MusicPath(n); }, entries);
  for (const auto& scene : m_scenes) {
    if (!scene->Sound.Text.empty()) soundList.StrikeOut(scene->Sound.Text);
    if (!scene->Music.Text.empty()) musicList.StrikeOut(scene->Music.Text);
    for (const std::string& frame : scene->Frames) pictureList.StrikeOut(frame);
  }
  soundList.KeepUnused();
  pictureList.KeepUnused();
  musicList.KeepUnused();
}

std::vector<RecycleOutcome> CGameFile::DeleteUnusedResources(const std::vector<std::string>& sounds,
                                                             const std::vector<std::string>& pictures,
                                                             const std::vector<std::string>& music) const {
  const std::string storyRoot = platform::GetCanonicalPath(m_folder.empty() ? "." : m_folder);
  std::vector<RecycleOutcome> outcomes;
  auto recycle = [&](const std::string& name, const std::string& path) {
    RecycleOutcome outcome{name, path, false, std::string()};
    std::string canonical;
    outcome.reason = ReasonToKeep(path, storyRoot, canonical);
    if (outcome.reason.empty()) outcome.moved = RecycleFile(canonical, outcome.reason);
    outcomes.push_back(std::move(outcome));
  };
  for (const std::string& name : sounds) recycle(name, SoundPath(name));
  for (const std::string& name : pictures) recycle(name, ImagePath(name));
  for (const std::string& name : music) recycle(name, MusicPath(name));
  return outcomes;
}
