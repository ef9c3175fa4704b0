#pragma once
// CSceneIndex: finds the first scene of a name, ignoring case, among a story's scenes. An open
// hash table of the scenes' folded names: a lookup of an ASCII name folds and hashes it on the
// fly, without building a folded copy, as the links of a big story need.
#include <cstdint>
#include <string_view>
#include <vector>

struct SceneSection;

class CSceneIndex {
 public:
  // Adds the scene under its header's name unless a scene of that name is there already.
  void Add(const SceneSection* scene);
  const SceneSection* Find(std::string_view name) const;
  void Clear();

 private:
  struct Slot {
    uint32_t hash = 0;
    const SceneSection* scene = nullptr;
  };
  static uint32_t FoldedHash(std::string_view name);
  void Grow();
  // The slot that holds the name, or the empty slot where it would go.
  size_t SlotOf(std::string_view name, uint32_t hash) const;

  std::vector<Slot> m_slots;  // a power of two of them, at most half in use
  size_t m_count = 0;
};
