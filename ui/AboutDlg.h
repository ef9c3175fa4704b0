#pragma once
// The about box: the program, its makers and its designers, with a text window about the
// program and a way on to the makers' own about box.
#include <wx/dialog.h>
#include <wx/font.h>

class CSettingsStore;
class CTextWnd;

class CAboutDlg : public wxDialog {
 public:
  enum ControlId {
    IDC_ABOUT_MAKERS = 1009,   // ends the box with this id: the makers' box follows
    IDC_ABOUT_PROGRAM = 1010,  // opens the program's text window
    IDC_MAKER = 1011,
    IDC_PROGRAM_NAME = 1012,
    IDC_COPYRIGHT_LAST = 1021,
  };

  // store keeps the text window's rectangle.
  CAboutDlg(wxWindow* parent, CSettingsStore& store);
  ~CAboutDlg() override;

  void EndModal(int result) override;

  CTextWnd* GetProgramTextWindow() const { return m_wndAbout; }

 private:
  void CreateControls();
  void OnAboutMakers(wxCommandEvent& event);
  void OnAboutProgram(wxCommandEvent& event);
  void CloseTextWindows();

  wxFont m_fontTitle;  // "Arial Bold" 11 points
  wxFont m_fontNames;  // "Arial Bold" 9 points
  wxFont m_fontNotes;  // "Arial italic" 8 points
  CTextWnd* m_wndAbout = nullptr;
  CSettingsStore& m_store;
};

// The caption's version suffix, " vMAJOR.MINORPATCH", of the program as built.
wxString ProgramVersionSuffix();

// The About command: the about box, and the makers' box when the user asks for it there.
void ShowAboutBoxes(wxWindow* parent, CSettingsStore& store);
