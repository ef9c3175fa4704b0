#include "story/SceneIndex.h"

#include "story/StoryArena.h"
#include "story/StoryRecords.h"
#include "story/StoryText.h"

namespace {

// FNV-1a over the folded name's bytes.
constexpr uint32_t kHashStart = 2166136261u;
constexpr uint32_t kHashFactor = 16777619u;

uint32_t HashBytes(std::string_view bytes) {
  uint32_t hash = kHashStart;
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * kHashFactor;
  return hash;
}

}  // namespace

uint32_t CSceneIndex::FoldedHash(std::string_view name) {
  // ASCII names fold letter by letter, to the bytes story_text::FoldCase would give.
  uint32_t hash = kHashStart;
  for (char c : name) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) return HashBytes(story_text::FoldCase(name));
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte - 'A' + 'a');
    hash = (hash ^ byte) * kHashFactor;
  }
  return hash;
}

void CSceneIndex::Reset(size_t sceneCount, CStoryArena& arena) {
  m_size = 16;
  while (m_size < sceneCount * 2) m_size *= 2;
  m_slots = arena.NewArray<Slot>(m_size);
  m_count = 0;
}

void CSceneIndex::Add(const SceneSection* scene, CStoryArena& arena) {
  if ((m_count + 1) * 2 > m_size) return;
  const StoryString& name = scene->Header.Text;
  uint32_t hash = FoldedHash(name);
  Slot& slot = m_slots[SlotOf(name, hash)];
  if (slot.scene) return;  // the first scene of a name is the one links enter
  slot = Slot{hash, arena.AddText(name), scene};
  ++m_count;
}

const SceneSection* CSceneIndex::Find(std::string_view name) const {
  if (m_count == 0) return nullptr;
  return m_slots[SlotOf(name, FoldedHash(name))].scene;
}

void CSceneIndex::Clear() {
  m_slots = nullptr;
  m_size = 0;
  m_count = 0;
}

size_t CSceneIndex::SlotOf(std::string_view name, uint32_t hash) const {
  size_t mask = m_size - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = m_slots[i];
    if (!slot.scene) return i;
    if (slot.hash == hash && (slot.name == name || story_text::EqualsNoCase(slot.name, name))) return i;
  }
}
