#pragma once
// The program's persistent settings store: integers and texts by name in sections, kept in the
// user's configuration file ($XDG_CONFIG_HOME/Fablewick/Fablewick.conf, vendor Tallowmere).
// A missing or unreadable value reads as the default the caller gives. Texts are bytes and come
// back exactly as written, whatever their encoding.
// Several players may share the file: every read sees the file as it is now (with this store's
// unflushed values on top), and a flush changes only the values this store wrote, on top of the
// file as it is when the flush takes the lock.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/string.h>

class wxFileConfig;

class CSettingsStore {
 public:
  // The store in the user's configuration folder.
  static std::unique_ptr<CSettingsStore> OpenUserStore();
  // A store kept in the given file (tests, tools).
  explicit CSettingsStore(const std::string& file);
  ~CSettingsStore();
  CSettingsStore(const CSettingsStore&) = delete;
  CSettingsStore& operator=(const CSettingsStore&) = delete;

  int32_t ReadInt(const std::string& section, const std::string& name, int32_t fallback) const;
  std::string ReadString(const std::string& section, const std::string& name,
                         const std::string& fallback) const;
  void WriteInt(const std::string& section, const std::string& name, int32_t value);
  void WriteString(const std::string& section, const std::string& name, const std::string& value);

  // Writes the values written since the last flush into the file, under a lock on a lock file
  // beside it, over what the file holds now; all of them or, on failure, none (the old file
  // stays, and the values wait for the next flush).
  bool Flush();

  std::string GetFilePath() const { return m_file; }

 private:
  // Reads the file again when it changed since it was last read or written.
  void Refresh() const;
  std::unique_ptr<wxFileConfig> ReadFile() const;
  void Put(const wxString& key, const wxString& value);
  void ApplyPending(wxFileConfig& config) const;

  std::string m_file;
  mutable std::unique_ptr<wxFileConfig> m_config;
  mutable std::string m_fileStamp;  // identity and change time of the file as last read
  // The values written since the last flush, in the order first written.
  std::vector<std::pair<wxString, wxString>> m_pending;
};

// The section that holds every value the program keeps.
extern const char* const kSettingsSection;
