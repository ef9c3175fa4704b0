#include "tools/storytool/StoryGraph.h"

#include <unordered_map>

#include "story/GameFile.h"

namespace {

struct OptionSlot {
  const SceneValue SceneSection::*option;
  const SceneValue SceneSection::*link;
};

const OptionSlot kSlots[] = {{&SceneSection::Option1, &SceneSection::Link1},
                             {&SceneSection::Option2, &SceneSection::Link2},
                             {&SceneSection::Option3, &SceneSection::Link3},
                             {&SceneSection::Option4, &SceneSection::Link4}};

}  // namespace

CStoryGraph::CStoryGraph(const CGameFile& story) {
  const CGameFile::SceneList& scenes = story.Scenes();
  std::unordered_map<const SceneSection*, int> indexOf;
  for (size_t i = 0; i < scenes.size(); ++i) indexOf[scenes[i].get()] = static_cast<int>(i);
  auto index = [&indexOf](const SceneSection* scene) { return scene ? indexOf.at(scene) : -1; };

  m_first = index(story.GetFirstScene());
  m_ending.assign(scenes.size(), true);
  m_namesake.assign(scenes.size(), -1);
  for (size_t i = 0; i < scenes.size(); ++i) {
    const SceneSection& scene = *scenes[i];
    int first = index(story.FindScene(scene.Header.Text));
    if (first != static_cast<int>(i)) m_namesake[i] = first;
    for (int slot = 0; slot < 4; ++slot) {
      const SceneValue& option = scene.*kSlots[slot].option;
      const SceneValue& link = scene.*kSlots[slot].link;
      if (!option.Text.empty() || !link.Text.empty()) m_ending[i] = false;
      if (!link.Text.empty()) m_links.push_back({i, slot + 1, &option, &link, index(story.FindScene(link.Text))});
    }
  }
  MarkReachable();
}

void CStoryGraph::MarkReachable() {
  m_reachable.assign(m_ending.size(), false);
  if (m_first < 0) return;
  std::vector<std::vector<int>> next(m_ending.size());
  for (const StoryLink& link : m_links)
    if (link.To >= 0) next[link.From].push_back(link.To);
  std::vector<int> pending{m_first};
  m_reachable[static_cast<size_t>(m_first)] = true;
  while (!pending.empty()) {
    int scene = pending.back();
    pending.pop_back();
    for (int to : next[static_cast<size_t>(scene)]) {
      if (m_reachable[static_cast<size_t>(to)]) continue;
      m_reachable[static_cast<size_t>(to)] = true;
      pending.push_back(to);
    }
  }
}
