#include "game/SettingsStore.h"

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

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
  // A damaged file reads as far as it can; the values it cannot give keep their defaults.
  wxLogNull quiet;
  // Create the folder now, so that the first write can succeed.
  wxFileName::Mkdir(wxFileName(wxString::FromUTF8(file)).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
  m_config = std::make_unique<wxFileConfig>(kApplication, kVendor, wxString::FromUTF8(file),
                                            wxString(), wxCONFIG_USE_LOCAL_FILE);
  // Story names and paths come back exactly as written, "$HOME" included.
  m_config->SetExpandEnvVars(false);
}

CSettingsStore::~CSettingsStore() = default;

int32_t CSettingsStore::ReadInt(const std::string& section, const std::string& name,
                                int32_t fallback) const {
  long value = 0;
  if (!m_config->Read(Key(section, name), &value)) return fallback;
  // Values are stored as 32-bit numbers; anything else in the file is not ours.
  if (value < INT32_MIN || value > static_cast<long>(UINT32_MAX)) return fallback;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::string CSettingsStore::ReadString(const std::string& section, const std::string& name,
                                       const std::string& fallback) const {
  wxString value;
  if (!m_config->Read(Key(section, name), &value)) return fallback;
  return ConfigTextToBytes(value);
}

void CSettingsStore::WriteInt(const std::string& section, const std::string& name, int32_t value) {
  m_config->Write(Key(section, name), static_cast<long>(value));
}

void CSettingsStore::WriteString(const std::string& section, const std::string& name,
                                 const std::string& value) {
  m_config->Write(Key(section, name), BytesToConfigText(value));
}

bool CSettingsStore::Flush() { return m_config->Flush(); }
