#pragma once
// The shape of a story: its scenes and the links between them, which scenes play can reach
// from the first scene, which are defined again under a name used before, and which end the
// story.
#include <cstddef>
#include <string>
#include <vector>

class CGameFile;
struct SceneValue;

struct StoryLink {
  size_t From;                 // index of the scene in file order
  int Option;                  // 1 to 4
  const SceneValue* Text;   // the option's caption
  const SceneValue* Target;  // the link's scene name
  int To;                      // index of the scene the player enters, or -1 when none has that name
};

class CStoryGraph {
 public:
  explicit CStoryGraph(const CGameFile& story);

  const std::vector<StoryLink>& Links() const { return m_links; }
  int FirstScene() const { return m_first; }  // -1 when FIRSTSCENE names no scene
  bool IsReachable(size_t scene) const { return m_reachable[scene]; }
  // A scene whose name an earlier scene already has: no link and no FIRSTSCENE can enter it.
  int EarlierNamesake(size_t scene) const { return m_namesake[scene]; }  // -1 when it is the first
  // A scene without any option or link: the story ends there.
  bool IsEnding(size_t scene) const { return m_ending[scene]; }

 private:
  void MarkReachable();

  std::vector<StoryLink> m_links;
  int m_first = -1;
  std::vector<bool> m_reachable;
  std::vector<int> m_namesake;
  std::vector<bool> m_ending;
};
