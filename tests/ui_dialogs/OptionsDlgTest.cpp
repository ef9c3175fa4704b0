#include <algorithm>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>

#include "audio/OutputDevices.h"
#include "tests/ui_dialogs/DialogTestSupport.h"
#include "ui/OptionsDlg.h"

namespace {

using Id = COptionsDlg::ControlId;

CDeviceEntry Device(const std::string& name, uint32_t id) { return CDeviceEntry{name, id, false}; }
CDeviceEntry Automatic() { return CDeviceEntry{"<Automatic>", 0xFFFFFFFF, true}; }

const std::vector<CDeviceEntry> kMidiDevices = {Device("Synth Engine", 0), Device("MIDI Port", 1),
                                                Automatic()};
const std::vector<CDeviceEntry> kWaveDevices = {Device("Speakers", 0), Device("headphones", 1),
                                                Automatic()};

bool Checked(wxWindow* dialog, int id) { return Control<wxCheckBox>(dialog, id)->GetValue(); }

std::vector<wxString> Lines(wxWindow* dialog, int id) {
  std::vector<wxString> lines;
  auto* choice = Control<wxChoice>(dialog, id);
  for (unsigned i = 0; i < choice->GetCount(); ++i) lines.push_back(choice->GetString(i));
  return lines;
}

TEST(OptionsDialog, OpensWithTheSettingsShown) {
  CGameSettings settings;
  settings.MusicOn = 0;
  settings.DebugOn = 1;
  settings.ValidateImageSizes = 1;
  COptionsDlg dialog(nullptr, settings, kMidiDevices, kWaveDevices);
  dialog.InitDialog();
  EXPECT_EQ(dialog.GetTitle(), "Options");
  EXPECT_FALSE(Checked(&dialog, Id::IDC_MUSIC_ON));
  EXPECT_TRUE(Checked(&dialog, Id::IDC_SOUND_ON));
  EXPECT_TRUE(Checked(&dialog, Id::IDC_VALIDATE_FILE));
  EXPECT_TRUE(Checked(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES));
  EXPECT_TRUE(Checked(&dialog, Id::IDC_SHOW_SCENE_NAMES));
  EXPECT_TRUE(Control<wxRadioButton>(&dialog, Id::IDC_DECODE_16BIT)->GetValue());
  EXPECT_FALSE(Control<wxRadioButton>(&dialog, Id::IDC_DECODE_8BIT)->GetValue());
  // The lists are sorted; "<Automatic>" is the stored name of both devices.
  EXPECT_EQ(Lines(&dialog, Id::IDC_MUSIC_DEVICE),
            (std::vector<wxString>{"<Automatic>", "MIDI Port", "Synth Engine"}));
  EXPECT_EQ(Lines(&dialog, Id::IDC_SOUND_DEVICE),
            (std::vector<wxString>{"<Automatic>", "headphones", "Speakers"}));
  EXPECT_EQ(Control<wxChoice>(&dialog, Id::IDC_MUSIC_DEVICE)->GetSelection(), 0);
}

TEST(OptionsDialog, OkWithoutChangesKeepsEverySetting) {
  CGameSettings settings;
  settings.SoundDevice = "speak";  // a prefix of a line: that line is selected
  settings.MusicDevice = "midi port";
  COptionsDlg dialog(nullptr, settings, kMidiDevices, kWaveDevices);
  EXPECT_EQ(RunModal(dialog, [&] { Click(&dialog, wxID_OK); }), wxID_OK);
  const CGameSettings& result = dialog.GetSettings();
  EXPECT_EQ(result.Use16BitOggVorbisDecoding, 1);
  EXPECT_EQ(result.MusicOn, 1);
  EXPECT_EQ(result.ValidateFileOn, 1);
  EXPECT_EQ(result.ValidateImageSizes, 0);
  // The same line as at opening: its text is stored, and nothing counts as changed.
  EXPECT_EQ(result.SoundDevice, "Speakers");
  EXPECT_EQ(result.MusicDevice, "MIDI Port");
  EXPECT_FALSE(dialog.SoundDeviceChanged());
  EXPECT_FALSE(dialog.MusicDeviceChanged());
}

TEST(OptionsDialog, OkTakesCheckBoxesRadioButtonsAndChangedDevices) {
  CGameSettings settings;
  COptionsDlg dialog(nullptr, settings, kMidiDevices, kWaveDevices);
  const int result = RunModal(dialog, [&] {
    Click(&dialog, Id::IDC_MUSIC_ON);
    Click(&dialog, Id::IDC_SHOW_SCENE_NAMES);
    Click(&dialog, Id::IDC_RELOAD_ON_CHANGE);
    Click(&dialog, Id::IDC_DECODE_8BIT);
    Control<wxChoice>(&dialog, Id::IDC_SOUND_DEVICE)->SetSelection(1);
    Click(&dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(dialog.GetSettings().MusicOn, 0);
  EXPECT_EQ(dialog.GetSettings().DebugOn, 1);
  EXPECT_EQ(dialog.GetSettings().ReloadOnChange, 1);
  EXPECT_EQ(dialog.GetSettings().Use16BitOggVorbisDecoding, 0);
  EXPECT_EQ(dialog.GetSettings().SoundDevice, "headphones");
  EXPECT_TRUE(dialog.SoundDeviceChanged());
  EXPECT_FALSE(dialog.MusicDeviceChanged());
  EXPECT_EQ(dialog.GetSettings().MusicDevice, "<Automatic>");
}

TEST(OptionsDialog, EightBitSettingOpensWithEightBitRadioAndCanGoBack) {
  CGameSettings settings;
  settings.Use16BitOggVorbisDecoding = 7;  // anything but 1 means 8-bit
  COptionsDlg dialog(nullptr, settings, kMidiDevices, kWaveDevices);
  const int result = RunModal(dialog, [&] {
    EXPECT_TRUE(Control<wxRadioButton>(&dialog, Id::IDC_DECODE_8BIT)->GetValue());
    Click(&dialog, Id::IDC_DECODE_16BIT);
    Click(&dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(dialog.GetSettings().Use16BitOggVorbisDecoding, 1);
}

TEST(OptionsDialog, ImageSizeCheckAndFileCheckAreCoupled) {
  CGameSettings settings;
  settings.ValidateFileOn = 0;
  COptionsDlg dialog(nullptr, settings, kMidiDevices, kWaveDevices);
  dialog.InitDialog();
  Click(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES);  // checking image sizes checks the file too
  EXPECT_TRUE(Checked(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES));
  EXPECT_TRUE(Checked(&dialog, Id::IDC_VALIDATE_FILE));
  Click(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES);  // unchecking it leaves the file check
  EXPECT_FALSE(Checked(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES));
  EXPECT_TRUE(Checked(&dialog, Id::IDC_VALIDATE_FILE));
  Click(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES);
  Click(&dialog, Id::IDC_VALIDATE_FILE);  // unchecking the file check unchecks image sizes
  EXPECT_FALSE(Checked(&dialog, Id::IDC_VALIDATE_FILE));
  EXPECT_FALSE(Checked(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES));
  Click(&dialog, Id::IDC_VALIDATE_FILE);  // checking it leaves image sizes alone
  EXPECT_TRUE(Checked(&dialog, Id::IDC_VALIDATE_FILE));
  EXPECT_FALSE(Checked(&dialog, Id::IDC_VALIDATE_IMAGE_SIZES));
}

TEST(OptionsDialog, CancelLeavesTheSettingsAsGiven) {
  CGameSettings settings;
  COptionsDlg dialog(nullptr, settings, kMidiDevices, kWaveDevices);
  const int result = RunModal(dialog, [&] {
    Click(&dialog, Id::IDC_SOUND_ON);
    Control<wxChoice>(&dialog, Id::IDC_MUSIC_DEVICE)->SetSelection(2);
    Click(&dialog, wxID_CANCEL);
  });
  EXPECT_EQ(result, wxID_CANCEL);
  EXPECT_EQ(dialog.GetSettings().SoundOn, 1);
  EXPECT_EQ(dialog.GetSettings().MusicDevice, "<Automatic>");
  EXPECT_FALSE(dialog.MusicDeviceChanged());
}

TEST(OptionsDialog, WithoutDevicesListsStayEmptyAndOkKeepsDeviceNames) {
  CGameSettings settings;
  settings.MusicDevice = "Old Synth";
  settings.SoundDevice = "";
  COptionsDlg dialog(nullptr, settings, {}, {});
  EXPECT_EQ(RunModal(dialog, [&] {
              EXPECT_EQ(Control<wxChoice>(&dialog, Id::IDC_MUSIC_DEVICE)->GetCount(), 0u);
              Click(&dialog, wxID_OK);
            }),
            wxID_OK);
  EXPECT_EQ(dialog.GetSettings().MusicDevice, "Old Synth");
  EXPECT_EQ(dialog.GetSettings().SoundDevice, "");
  EXPECT_FALSE(dialog.MusicDeviceChanged());
  EXPECT_FALSE(dialog.SoundDeviceChanged());
}

TEST(OptionsDialog, UnknownNameSelectsFirstLineAndNonUtf8NamesShowAsWindows1252) {
  CGameSettings settings;
  settings.SoundDevice = "Gone Device";
  settings.MusicDevice = "";
  const std::vector<CDeviceEntry> music = {Device("Caf\xE9 Synth", 0), Automatic()};
  COptionsDlg dialog(nullptr, settings, music, kWaveDevices);
  EXPECT_EQ(RunModal(dialog, [&] {
              EXPECT_EQ(Control<wxChoice>(&dialog, Id::IDC_SOUND_DEVICE)->GetSelection(), 0);
              auto* musicList = Control<wxChoice>(&dialog, Id::IDC_MUSIC_DEVICE);
              EXPECT_EQ(musicList->GetString(1), wxString::FromUTF8("Caf\xC3\xA9 Synth"));
              EXPECT_EQ(musicList->GetSelection(), 0);  // the empty name takes "<Automatic>"
              musicList->SetSelection(1);
              Click(&dialog, wxID_OK);
            }),
            wxID_OK);
  // The first line was selected at opening: the stored name becomes its text, unchanged.
  EXPECT_EQ(dialog.GetSettings().SoundDevice, "<Automatic>");
  EXPECT_FALSE(dialog.SoundDeviceChanged());
  EXPECT_EQ(dialog.GetSettings().MusicDevice, "Caf\xE9 Synth");  // the bytes, not the display text
  EXPECT_TRUE(dialog.MusicDeviceChanged());
}

TEST(OptionsDialog, OffersTheSystemsOutputDevices) {
  std::vector<CDeviceEntry> midi, wave;
  EnumerateMidiOutputDevices(midi);
  EnumerateWaveOutputDevices(wave);
  COptionsDlg dialog(nullptr, CGameSettings());
  dialog.InitDialog();
  // Every device once, in order of their names ignoring case.
  for (const auto& [id, devices] : {std::pair{Id::IDC_MUSIC_DEVICE, midi}, std::pair{Id::IDC_SOUND_DEVICE, wave}}) {
    std::vector<wxString> names, lines = Lines(&dialog, id);
    for (const CDeviceEntry& device : devices) names.push_back(wxString::FromUTF8(device.m_name));
    EXPECT_TRUE(std::is_permutation(names.begin(), names.end(), lines.begin(), lines.end())) << id;
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(),
                               [](const wxString& a, const wxString& b) { return a.CmpNoCase(b) < 0; }))
        << id;
  }
  // The null wave device is always there, so the sound list is never empty.
  EXPECT_FALSE(wave.empty());
}

}  // namespace
