#pragma once
// CSceneIndex: finds the first scene of a name, ignoring case, among a story's scenes. An open
// hash table of the scenes' folded names, made once the story is read, in the story's arena: a
// lookup of an ASCII name folds and hashes it on the fly, without building a folded copy, as
// the links of a big story need.
#include <cstdint>
#include <string_view>

#include "story/StoryString.h"

class CStoryArena;
struct SceneSection;

class CSceneIndex {
 public:
  // An empty index with room for sceneCount scenes, kept in the arena until it is cleared.
  void Reset(size_t sceneCount, CStoryArena& arena);
  // Adds the scene under its header's name unless a scene of that name is there already, or
  // the index is full. The index keeps its own copy of the name in the arena: names added one
  // after another lie together, so that lookups read them from one small area of memory
  // instead of from all over the story.
  void Add(const SceneSection* scene, CStoryArena& arena);
  const SceneSection* Find(std::string_view name) const;
  void Clear();

 private:
  // The name is kept beside the scene so that a lookup reads the scene record only once found.
  struct Slot {
    uint32_t hash = 0;
    StoryString name;
    const SceneSection* scene = nullptr;
  };
  static uint32_t FoldedHash(std::string_view name);
  // The slot that holds the name, or the empty slot where it would go.
  size_t SlotOf(std::string_view name, uint32_t hash) const;

  Slot* m_slots = nullptr;  // a power of two of them, at most half in use
  size_t m_size = 0;
  size_t m_count = 0;
};
