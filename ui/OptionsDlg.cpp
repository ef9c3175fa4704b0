#include "ui/OptionsDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "audio/OutputDevices.h"
#include "platform/TextEncoding.h"
#include "ui/DeviceLines.h"
#include "ui/DialogLayout.h"

namespace {

std::vector<CDeviceEntry> ListSoundDevices() {
  std::vector<CDeviceEntry> list;
  EnumerateWaveOutputDevices(list);
  return list;
}

std::vector<CDeviceEntry> ListMusicDevices() {
  std::vector<CDeviceEntry> list;
  EnumerateMidiOutputDevices(list);
  return list;
}

wxString Display(const std::string& bytes) {
  return wxString::FromUTF8(platform::ToDisplayUtf8(bytes));
}

}  // namespace

COptionsDlg::COptionsDlg(wxWindow* parent, const CGameSettings& settings)
    : COptionsDlg(parent, settings, ListMusicDevices(), ListSoundDevices()) {}

COptionsDlg::COptionsDlg(wxWindow* parent, const CGameSettings& settings,
                         std::vector<CDeviceEntry> musicDevices,
                         std::vector<CDeviceEntry> soundDevices)
    : wxDialog(parent, wxID_ANY, "Options"), m_settings(settings) {
  m_music.devices = std::move(musicDevices);
  m_sound.devices = std::move(soundDevices);
  CreateControls();
  Bind(wxEVT_INIT_DIALOG, &COptionsDlg::OnInitDialog, this);
  Bind(wxEVT_BUTTON, &COptionsDlg::OnOK, this, wxID_OK);
  Bind(wxEVT_CHECKBOX, &COptionsDlg::OnValidateImageSizesClicked, this, IDC_VALIDATE_IMAGE_SIZES);
  Bind(wxEVT_CHECKBOX, &COptionsDlg::OnValidateFileClicked, this, IDC_VALIDATE_FILE);
}

void COptionsDlg::CreateControls() {
  CDialogLayout layout(this);
  // Group boxes first, so that the controls inside them come after them in the tab order.
  layout.Place(new wxStaticBox(this, IDC_SOUND_GROUP, "Sound and Music"), 7, 7, 198, 104);
  m_checkMusicOn = new wxCheckBox(this, IDC_MUSIC_ON, "&Music On");
  layout.Place(m_checkMusicOn, 15, 20, 80, 12);
  m_checkSoundOn = new wxCheckBox(this, IDC_SOUND_ON, "&Sound On");
  layout.Place(m_checkSoundOn, 110, 20, 80, 12);
  layout.Place(new wxStaticText(this, wxID_ANY, "Select Music Device:"), 15, 38, 180, 9);
  m_music.control = new wxChoice(this, IDC_MUSIC_DEVICE);
  layout.Place(m_music.control, 15, 48, 182, 16);
  layout.Place(new wxStaticText(this, wxID_ANY, "Select Sound Device:"), 15, 70, 180, 9);
  m_sound.control = new wxChoice(this, IDC_SOUND_DEVICE);
  layout.Place(m_sound.control, 15, 80, 182, 16);

  layout.Place(new wxStaticBox(this, IDC_VORBIS_GROUP, "Ogg-Vorbis Sound Files"), 7, 117, 198, 44);
  m_radio16Bit = new wxRadioButton(this, IDC_DECODE_16BIT, "Use 16-bit decoding",
                                   wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  layout.Place(m_radio16Bit, 15, 130, 180, 12);
  m_radio8Bit = new wxRadioButton(this, IDC_DECODE_8BIT, "Use 8-bit decoding");
  layout.Place(m_radio8Bit, 15, 144, 180, 12);

  layout.Place(new wxStaticBox(this, IDC_DEBUG_GROUP, "Debugging"), 7, 167, 198, 72);
  m_checkValidateFile = new wxCheckBox(this, IDC_VALIDATE_FILE, "Validate File on Load");
  layout.Place(m_checkValidateFile, 15, 180, 180, 12);
  m_checkValidateImageSizes = new wxCheckBox(this, IDC_VALIDATE_IMAGE_SIZES, "Validate &Image Sizes");
  layout.Place(m_checkValidateImageSizes, 15, 194, 180, 12);
  m_checkShowSceneNames = new wxCheckBox(this, IDC_SHOW_SCENE_NAMES, "&Show Scene Names");
  layout.Place(m_checkShowSceneNames, 15, 208, 180, 12);
  m_checkReloadOnChange = new wxCheckBox(this, IDC_RELOAD_ON_CHANGE, "&Reload when the story changes");
  layout.Place(m_checkReloadOnChange, 15, 222, 180, 12);

  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  layout.Place(ok, 101, 247, 50, 16);
  layout.Place(new wxButton(this, wxID_CANCEL, "Cancel"), 155, 247, 50, 16);
  layout.SetClientSize(212, 270);
}

bool COptionsDlg::TransferDataToWindow() {
  m_checkMusicOn->SetValue(m_settings.MusicOn != 0);
  m_checkSoundOn->SetValue(m_settings.SoundOn != 0);
  m_checkValidateFile->SetValue(m_settings.ValidateFileOn != 0);
  m_checkValidateImageSizes->SetValue(m_settings.ValidateImageSizes != 0);
  m_checkShowSceneNames->SetValue(m_settings.DebugOn != 0);
  m_checkReloadOnChange->SetValue(m_settings.ReloadOnChange != 0);
  m_nRadioIndex = m_settings.Use16BitOggVorbisDecoding == 1 ? 0 : 1;
  (m_nRadioIndex == 0 ? m_radio16Bit : m_radio8Bit)->SetValue(true);
  return true;
}

bool COptionsDlg::TransferDataFromWindow() {
  m_settings.MusicOn = m_checkMusicOn->GetValue() ? 1 : 0;
  m_settings.SoundOn = m_checkSoundOn->GetValue() ? 1 : 0;
  m_settings.ValidateFileOn = m_checkValidateFile->GetValue() ? 1 : 0;
  m_settings.ValidateImageSizes = m_checkValidateImageSizes->GetValue() ? 1 : 0;
  m_settings.DebugOn = m_checkShowSceneNames->GetValue() ? 1 : 0;
  m_settings.ReloadOnChange = m_checkReloadOnChange->GetValue() ? 1 : 0;
  m_nRadioIndex = m_radio16Bit->GetValue() ? 0 : 1;
  m_settings.Use16BitOggVorbisDecoding = m_nRadioIndex == 0 ? 1 : 0;
  return true;
}

void COptionsDlg::OnInitDialog(wxInitDialogEvent&) {
  TransferDataToWindow();
  FillDeviceList(m_music, m_settings.MusicDevice);
  FillDeviceList(m_sound, m_settings.SoundDevice);
}

void COptionsDlg::FillDeviceList(DeviceList& list, const std::string& setting) {
  list.lineAtOpen = 0;
  if (list.devices.empty()) return;  // the control keeps whatever it shows
  list.control->Clear();
  list.lines = SortDeviceLines(list.devices);
  for (const CDeviceEntry& entry : list.lines) list.control->Append(Display(entry.m_name));
  list.lineAtOpen = ChooseDeviceLine(list.lines, setting);
  list.control->SetSelection(list.lineAtOpen);
}

bool COptionsDlg::TakeDeviceChoice(const DeviceList& list, std::string& setting) {
  const int line = list.control->GetSelection();
  if (line == wxNOT_FOUND || line >= static_cast<int>(list.lines.size())) return false;
  setting = list.lines[line].m_name;
  return line != list.lineAtOpen;
}

void COptionsDlg::OnOK(wxCommandEvent&) {
  m_bMusicDeviceChanged = TakeDeviceChoice(m_music, m_settings.MusicDevice);
  m_bSoundDeviceChanged = TakeDeviceChoice(m_sound, m_settings.SoundDevice);
  if (!Validate() || !TransferDataFromWindow()) return;
  EndModal(wxID_OK);
}

void COptionsDlg::OnValidateImageSizesClicked(wxCommandEvent&) {
  if (m_checkValidateImageSizes->GetValue()) m_checkValidateFile->SetValue(true);
}

void COptionsDlg::OnValidateFileClicked(wxCommandEvent&) {
  if (!m_checkValidateFile->GetValue()) m_checkValidateImageSizes->SetValue(false);
}
