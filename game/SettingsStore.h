#pragma once
// The program's persistent settings store: integers and texts by name in sections, kept in the
// user's configuration file ($XDG_CONFIG_HOME/Fablewick/Fablewick.conf, vendor Tallowmere).
// A missing or unreadable value reads as the default the caller gives. Texts are bytes and come
// back exactly as written, whatever their encoding.
#include <cstdint>
#include <memory>
#include <string>

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

  // Writes pending changes to the file: all of them or, on failure, none (the old file stays).
  bool Flush();

  std::string GetFilePath() const { return m_file; }

 private:
  std::string m_file;
  std::unique_ptr<wxFileConfig> m_config;
};

// The section that holds every value the program keeps.
extern const char* const kSettingsSection;
