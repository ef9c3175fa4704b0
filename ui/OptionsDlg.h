#pragma once
// The Options dialog: music and sound on or off and their output devices, the Ogg Vorbis
// decoding depth, and the validation and debugging switches.
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "audio/DeviceEntry.h"
#include "game/GameSettings.h"

class wxCheckBox;
class wxChoice;
class wxRadioButton;

class COptionsDlg : public wxDialog {
 public:
  enum ControlId {
    IDC_MUSIC_ON = 1002,
    IDC_SOUND_ON = 1003,
    IDC_SHOW_SCENE_NAMES = 1004,
    IDC_VALIDATE_IMAGE_SIZES = 1005,
    IDC_VALIDATE_FILE = 1026,
    IDC_MUSIC_DEVICE = 1034,
    IDC_SOUND_DEVICE = 1035,
    IDC_SOUND_GROUP = 1036,
    IDC_DEBUG_GROUP = 1037,
    IDC_DECODE_16BIT = 1039,
    IDC_DECODE_8BIT = 1040,
    IDC_VORBIS_GROUP = 1041,
    IDC_RELOAD_ON_CHANGE = 1042,
  };

  // Lists the system's output devices afresh.
  COptionsDlg(wxWindow* parent, const CGameSettings& settings);
  // Offers the given device lists (each closed by its "<Automatic>" entry, or empty).
  COptionsDlg(wxWindow* parent, const CGameSettings& settings,
              std::vector<CDeviceEntry> musicDevices, std::vector<CDeviceEntry> soundDevices);

  const CGameSettings& GetSettings() const { return m_settings; }  // the working copy after OK
  bool MusicDeviceChanged() const { return m_bMusicDeviceChanged; }
  bool SoundDeviceChanged() const { return m_bSoundDeviceChanged; }

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  // One device list: its entries in line order and the line selected when the dialog opened.
  struct DeviceList {
    wxChoice* control = nullptr;
    std::vector<CDeviceEntry> devices;  // as listed by the system
    std::vector<CDeviceEntry> lines;    // as the control shows them
    int lineAtOpen = 0;
  };

  void CreateControls();
  void OnInitDialog(wxInitDialogEvent& event);
  void OnOK(wxCommandEvent& event);
  void OnValidateImageSizesClicked(wxCommandEvent& event);
  void OnValidateFileClicked(wxCommandEvent& event);

  static void FillDeviceList(DeviceList& list, const std::string& setting);
  // Takes the selected line's name into setting; true when another line than at opening is
  // selected.
  static bool TakeDeviceChoice(const DeviceList& list, std::string& setting);

  DeviceList m_music;
  DeviceList m_sound;
  bool m_bMusicDeviceChanged = false;
  bool m_bSoundDeviceChanged = false;
  CGameSettings m_settings;  // the working copy
  wxCheckBox* m_checkMusicOn = nullptr;
  wxCheckBox* m_checkSoundOn = nullptr;
  wxCheckBox* m_checkValidateFile = nullptr;
  wxCheckBox* m_checkValidateImageSizes = nullptr;
  wxCheckBox* m_checkShowSceneNames = nullptr;
  wxCheckBox* m_checkReloadOnChange = nullptr;
  wxRadioButton* m_radio16Bit = nullptr;
  wxRadioButton* m_radio8Bit = nullptr;
  int m_nRadioIndex = 0;  // 0: 16-bit decoding, 1: 8-bit
};
