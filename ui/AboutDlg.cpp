#include "ui/AboutDlg.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "game/SettingsStore.h"
#include "ui/AboutCompanyDlg.h"
#include "res/StringIds.h"
#include "ui/DialogLayout.h"
#include "ui/ResourcePicture.h"
#include "ui/TextWnd.h"

namespace {

constexpr unsigned kProgramText = 102;
const char kProgramRectValue[] = "AboutRect";

// One line of the box: its id, text, font and template rectangle.
struct AboutLine {
  int id;
  const char* text;
  wxFont CAboutDlg::*font;
  int y;
  int height;
};

}  // namespace

wxString ProgramVersionSuffix() {
  return wxString::Format(" v%u.%u%u", unsigned{FABLEWICK_VERSION_MAJOR}, unsigned{FABLEWICK_VERSION_MINOR},
                          unsigned{FABLEWICK_VERSION_PATCH});
}

CAboutDlg::CAboutDlg(wxWindow* parent, CSettingsStore& store)
    : wxDialog(parent, wxID_ANY, "About Fablewick"),
      m_fontTitle(wxFontInfo(11).FaceName("Arial").Bold()),
      m_fontNames(wxFontInfo(9).FaceName("Arial").Bold()),
      m_fontNotes(wxFontInfo(8).FaceName("Arial").Italic()),
      m_store(store) {
  SetTitle(GetTitle() + ProgramVersionSuffix());
  CreateControls();
  Bind(wxEVT_BUTTON, &CAboutDlg::OnAboutMakers, this, IDC_ABOUT_MAKERS);
  Bind(wxEVT_BUTTON, &CAboutDlg::OnAboutProgram, this, IDC_ABOUT_PROGRAM);
}

CAboutDlg::~CAboutDlg() { CloseTextWindows(); }

void CAboutDlg::CreateControls() {
  CDialogLayout layout(this);
  const wxIcon icon = LoadIconResource(kProgramIconId, 32);
  layout.Place(new wxStaticBitmap(this, wxID_ANY, icon), 7, 7, 20, 20);
  layout.Place(new wxStaticBitmap(this, wxID_ANY, icon), 160, 7, 20, 20);
  const AboutLine lines[] = {
      {1011, "Tallowmere", &CAboutDlg::m_fontTitle, 6, 11},
      {1012, "Fablewick", &CAboutDlg::m_fontTitle, 18, 11},
      {1013, "A player of picture stories", &CAboutDlg::m_fontNotes, 34, 9},
      {1014, "for readers who choose their own way", &CAboutDlg::m_fontNotes, 44, 9},
      {1015, "designed and drawn by", &CAboutDlg::m_fontNotes, 58, 9},
      {1016, "Marigold Quill", &CAboutDlg::m_fontNames, 68, 10},
      {1017, "Tobias Fairweather", &CAboutDlg::m_fontNames, 79, 10},
      {1018, "and Parsnip, the workshop cat", &CAboutDlg::m_fontNames, 90, 10},
      {1019, "Copyright \u00A9 2025 Tallowmere Story Works", nullptr, 106, 9},
      {1020, "Stories belong to those who tell them,", nullptr, 116, 9},
      {1021, "and to those who read them.", nullptr, 126, 9},
  };
  for (const AboutLine& line : lines) {
    auto* text = new wxStaticText(this, line.id, wxString::FromUTF8(line.text), wxDefaultPosition,
                                  wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
    if (line.font) text->SetFont(this->*line.font);
    // The two title lines leave room for the icons beside them.
    const bool title = line.id <= IDC_PROGRAM_NAME;
    layout.Place(text, title ? 30 : 7, line.y, title ? 127 : 173, line.height);
  }
  layout.Place(new wxButton(this, IDC_ABOUT_PROGRAM, "About &Fablewick..."), 7, 142, 84, 16);
  layout.Place(new wxButton(this, IDC_ABOUT_MAKERS, "About &Tallowmere..."), 96, 142, 84, 16);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  ok->SetFocus();
  layout.Place(ok, 68, 161, 50, 16);
  layout.SetClientSize(187, 181);
}

void CAboutDlg::OnAboutMakers(wxCommandEvent&) { EndModal(IDC_ABOUT_MAKERS); }

void CAboutDlg::OnAboutProgram(wxCommandEvent&) {
  ShowTextWindow(m_wndAbout, this, kProgramText, m_store, kProgramRectValue, res::IDS_ABOUT_PROGRAM);
}

void CAboutDlg::EndModal(int result) {
  CloseTextWindows();
  wxDialog::EndModal(result);
}

void CAboutDlg::CloseTextWindows() {
  if (!m_wndAbout) return;
  CloseTextWindow(m_wndAbout, m_store, kProgramRectValue);
  m_store.Flush();
}

void ShowAboutBoxes(wxWindow* parent, CSettingsStore& store) {
  int result;
  {
    CAboutDlg about(parent, store);
    result = about.ShowModal();
  }
  if (result == CAboutDlg::IDC_ABOUT_MAKERS) {
    CAboutCompanyDlg makers(parent, store);
    makers.ShowModal();
  }
}
