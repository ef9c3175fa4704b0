#include "game/SettingsStore.h"

#include <sys/stat.h>

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include "platform/FileLock.h"
#include "platform/TextEncoding.h"

const char* const kSettingsSection = "Settings";

namespace {

const char* const kVendor = "Tallowmere";
const char* const kApplication = "Fablewick";

// Bytes that are not part of valid UTF-8 are kept as private-use characters U+F780..U+F7FF, so
// that texts in any encoding (story names written in Windows-1252, say) round-trip exactly
// while the file itself stays valid UTF-8.
const wxUniChar::value_type kRawByteBase = 0xF700;

size_t Utf8SequenceLength(const std::string& text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t length = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3
                                 : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
  if (length <= 1 || i + length > text.size()) return length == 1 ? 1 : 0;
  return platform::IsValidUtf8(text.substr(i, length)) ? length : 0;
}

wxString BytesToConfigText(const std::string& bytes) {
  wxString text;
  for (size_t i = 0; i < bytes.size();) {
    size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      text += wxUniChar(kRawByteBase + static_cast<unsigned char>(bytes[i]));
      ++i;
    } else {
      text += wxString::FromUTF8(bytes.data() + i, length);
      i += length;
    }
  }
  return text;
}

std::string ConfigTextToBytes(const wxString& text) {
  std::string bytes;
  for (wxUniChar c : text) {
    wxUniChar::value_type value = c.GetValue();
    if (value >= kRawByteBase + 0x80 && value <= kRawByteBase + 0xFF)
      bytes += static_cast<char>(value - kRawByteBase);
    else
      platform::AppendUtf8(bytes, value);
  }
  return bytes;
}

wxString Key(const std::string& section, const std::string& name) {
  return "/" + wxString::FromUTF8(section) + "/" + wxString::FromUTF8(name);
}

// What tells one version of the file from another: a replaced file is a new inode, a file
// written in place has a new change time. Empty when there is no file.
std::string FileStamp(const std::string& file) {
  struct stat st;
  if (::stat(file.c_str(), &st) != 0) return std::string();
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
         std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec) + ":" +
         std::to_string(st.st_ctim.tv_sec) + "." + std::to_string(st.st_ctim.tv_nsec);
}

}  // namespace

std::unique_ptr<CSettingsStore> CSettingsStore::OpenUserStore() {
  wxStandardPaths& paths = wxStandardPaths::Get();
  paths.SetFileLayout(wxStandardPaths::FileLayout_XDG);
  wxFileName file(paths.GetUserConfigDir(), "");
  file.AppendDir(kApplication);
  file.SetFullName(wxString(kApplication) + ".conf");
  return std::make_unique<CSettingsStore>(file.GetFullPath().utf8_string());
}

CSettingsStore::CSettingsStore(const std::string& file) : m_file(file) {
  // Create the folder now, so that the first write can succeed.
  wxLogNull quiet;
  wxFileName::Mkdir(wxFileName(wxString::FromUTF8(file)).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  Refresh();
}

// Values not yet flushed are written by the last flush, as they would have been at exit.
CSettingsStore::~CSettingsStore() { Flush(); }

std::unique_ptr<wxFileConfig> CSettingsStore::ReadFile() const {
  // A damaged file reads as far as it can; the values it cannot give keep their defaults.
  wxLogNull quiet;
  auto config = std::make_unique<wxFileConfig>(kApplication, kVendor, wxString::FromUTF8(m_file), wxString(),
                                               wxCONFIG_USE_LOCAL_FILE);
  // Only Flush writes the file, under the lock.
  config->DisableAutoSave();
  // Story names and paths come back exactly as written, "$HOME" included.
  config->SetExpandEnvVars(false);
  return config;
}

void CSettingsStore::Refresh() const {
  std::string stamp = FileStamp(m_file);
  if (m_config && stamp == m_fileStamp) return;
  m_config = ReadFile();
  m_fileStamp = stamp;
  ApplyPending(*m_config);
}

void CSettingsStore::ApplyPending(wxFileConfig& config) const {
  for (const auto& [key, value] : m_pending) config.Write(key, value);
}

void CSettingsStore::Put(const wxString& key, const wxString& value) {
  Refresh();
  m_config->Write(key, value);
  for (auto& pending : m_pending) {
    if (pending.first == key) {
      pending.second = value;
      return;
    }
  }
  m_pending.emplace_back(key, value);
}

int32_t CSettingsStore::ReadInt(const std::string& section, const std::string& name,
                                int32_t fallback) const {
  Refresh();
  long value = 0;
  if (!m_config->Read(Key(section, name), &value)) return fallback;
  // Values are stored as 32-bit numbers; anything else in the file is not ours.
  if (value < INT32_MIN || value > static_cast<long>(UINT32_MAX)) return fallback;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::string CSettingsStore::ReadString(const std::string& section, const std::string& name,
                                       const std::string& fallback) const {
  Refresh();
  wxString value;
  if (!m_config->Read(Key(section, name), &value)) return fallback;
  return ConfigTextToBytes(value);
}

void CSettingsStore::WriteInt(const std::string& section, const std::string& name, int32_t value) {
  // Numbers are kept in the file as their decimal text.
  Put(Key(section, name), wxString::Format("%ld", static_cast<long>(value)));
}

void CSettingsStore::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value) {
  Put(Key(section, name), BytesToConfigText(value));
}

bool CSettingsStore::Flush() {
  if (m_pending.empty()) return true;
  platform::FileLock lock(m_file + ".lock");
  if (!lock.IsLocked()) return false;
  // What other players wrote since this one read the file stays; this one's values go on top.
  std::unique_ptr<wxFileConfig> current = ReadFile();
  ApplyPending(*current);
  wxLogNull quiet;
  if (!current->Flush()) return false;  // written to a temporary file, then renamed over the old
  m_config = std::move(current);
  m_fileStamp = FileStamp(m_file);
  m_pending.clear();
  return true;
}
