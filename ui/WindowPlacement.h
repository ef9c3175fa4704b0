#pragma once
// Where the main window was and how it was shown, kept in the settings between runs.
#include <cstdint>
#include <string>

class CMainFrame;
class CSettingsStore;

// Show commands as the stored values name them.
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowMinimized = 2;
constexpr int32_t kShowMaximized = 3;
constexpr int32_t kShow = 5;

struct PlacementPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct PlacementRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool IsEmpty() const { return right <= left || bottom <= top; }
};

class CWindowPlacement {
 public:
  int32_t length = 44;
  int32_t flags = 0;
  int32_t showCmd = kShow;
  PlacementPoint ptMinPosition;
  PlacementPoint ptMaxPosition;
  PlacementRect rcNormalPosition;

  // Reads every value of section; a missing one keeps the field as it is.
  void Load(const CSettingsStore& store, const std::string& section);
  // Writes every field to section and flushes the store.
  void Save(CSettingsStore& store, const std::string& section) const;
  // Takes the frame's placement (its normal rectangle even while minimized), then saves.
  void SaveWindow(CSettingsStore& store, const std::string& section, const CMainFrame& frame);
};
