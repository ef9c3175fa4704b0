#pragma once
// The makers' about box: the two designers' portraits and names, the makers' name and motto,
// and buttons that open text windows about each designer and about the makers.
#include <wx/dialog.h>
#include <wx/font.h>

#include "picture/Dib.h"
#include "ui/PalMsgHandler.h"

class CSettingsStore;
class CTextWnd;

class CAboutCompanyDlg : public wxDialog {
 public:
  enum ControlId {
    IDC_PORTRAIT1 = 1006,
    IDC_PORTRAIT2 = 1007,
    IDC_MAKERS_NAME = 1022,
    IDC_ABOUT_DESIGNER1 = 1023,
    IDC_ABOUT_DESIGNER2 = 1024,
    IDC_ABOUT_MAKERS = 1025,
    IDC_MOTTO = 1026,
  };

  // store keeps the text windows' rectangles.
  CAboutCompanyDlg(wxWindow* parent, CSettingsStore& store);
  ~CAboutCompanyDlg() override;

  void EndModal(int result) override;

  const CDib& GetPortrait(int index) const { return index == 0 ? m_dib1 : m_dib2; }
  const CPalMsgHandler& GetPaletteHandler() const { return m_palHandler; }
  // The text windows of the buttons 1023, 1024 and 1025 (0, 1, 2); none before first use.
  CTextWnd* GetTextWindow(int index) const;

 private:
  void CreateControls();
  void InstallPalette();
  void OnPaintPortrait(wxPaintEvent& event);
  void OnTextButton(wxCommandEvent& event);
  void CloseTextWindows();

  CPalMsgHandler m_palHandler;
  CDib m_dib1;
  CDib m_dib2;
  wxFont m_fontName;   // "Arial Bold" 12 points
  wxFont m_fontMotto;  // "Arial Bold italic" 9 points
  CTextWnd* m_wndBio1 = nullptr;
  CTextWnd* m_wndBio2 = nullptr;
  CTextWnd* m_wndBio3 = nullptr;
  CSettingsStore& m_store;
};
