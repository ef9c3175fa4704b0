#include "ui/AboutCompanyDlg.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include "game/SettingsStore.h"
#include "res/StringIds.h"
#include "ui/DialogLayout.h"
#include "ui/TextWnd.h"

namespace {

constexpr unsigned kPortrait1 = 141;
constexpr unsigned kPortrait2 = 143;
// The portrait lies this many pixels inside its frame.
constexpr int kPortraitInset = 4;

// What each text window button opens.
struct TextWindowButton {
  int id;
  unsigned resource;
  const char* rectValue;
  unsigned caption;
};

const TextWindowButton kTextButtons[] = {
    {CAboutCompanyDlg::IDC_ABOUT_DESIGNER1, 101, "bio1", res::IDS_ABOUT_DESIGNER1},
    {CAboutCompanyDlg::IDC_ABOUT_DESIGNER2, 104, "bio2", res::IDS_ABOUT_DESIGNER2},
    {CAboutCompanyDlg::IDC_ABOUT_MAKERS, 103, "bio3", res::IDS_ABOUT_MAKERS},
};

wxStaticText* CentredText(wxWindow* parent, int id, const char* text) {
  return new wxStaticText(parent, id, wxString::FromUTF8(text), wxDefaultPosition, wxDefaultSize,
                          wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
}

}  // namespace

CAboutCompanyDlg::CAboutCompanyDlg(wxWindow* parent, CSettingsStore& store)
    : wxDialog(parent, wxID_ANY, "About Tallowmere"),
      m_fontName(wxFontInfo(12).FaceName("Arial").Bold()),
      m_fontMotto(wxFontInfo(9).FaceName("Arial").Bold().Italic()),
      m_store(store) {
  m_dib1.Load(kPortrait1);
  m_dib2.Load(kPortrait2);
  CreateControls();
  InstallPalette();
  for (const TextWindowButton& button : kTextButtons)
    Bind(wxEVT_BUTTON, &CAboutCompanyDlg::OnTextButton, this, button.id);
}

CAboutCompanyDlg::~CAboutCompanyDlg() {
  CloseTextWindows();
  m_palHandler.HookWindow(nullptr);
}

void CAboutCompanyDlg::CreateControls() {
  CDialogLayout layout(this);
  wxStaticText* name = CentredText(this, IDC_MAKERS_NAME, "Tallowmere");
  name->SetFont(m_fontName);
  layout.Place(name, 7, 5, 181, 13);
  wxStaticText* motto = CentredText(this, IDC_MOTTO, "Small lanterns for long evenings");
  motto->SetFont(m_fontMotto);
  layout.Place(motto, 7, 20, 181, 10);
  for (int id : {IDC_PORTRAIT1, IDC_PORTRAIT2}) {
    auto* frame = new wxWindow(this, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    frame->SetBackgroundStyle(wxBG_STYLE_PAINT);
    frame->Bind(wxEVT_PAINT, &CAboutCompanyDlg::OnPaintPortrait, this);
    layout.Place(frame, id == IDC_PORTRAIT1 ? 22 : 111, 35, 62, 72);
  }
  layout.Place(CentredText(this, wxID_ANY, "Marigold Quill"), 9, 110, 88, 9);
  layout.Place(CentredText(this, wxID_ANY, "Tobias Fairweather"), 98, 110, 88, 9);
  layout.Place(new wxButton(this, IDC_ABOUT_DESIGNER1, "&Marigold..."), 22, 122, 62, 16);
  layout.Place(new wxButton(this, IDC_ABOUT_DESIGNER2, "&Tobias..."), 111, 122, 62, 16);
  layout.Place(new wxButton(this, IDC_ABOUT_MAKERS, "About T&allowmere..."), 7, 142, 110, 16);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  layout.Place(ok, 138, 142, 50, 16);
  layout.SetClientSize(195, 161);
}

void CAboutCompanyDlg::InstallPalette() {
  if (m_palHandler.IsHooked()) return;
  m_palHandler.SetPalette(&m_dib1.GetPalette());
  m_palHandler.HookWindow(this);
  m_palHandler.DoRealizePalette(HasFocus());
}

void CAboutCompanyDlg::OnPaintPortrait(wxPaintEvent& event) {
  auto* frame = static_cast<wxWindow*>(event.GetEventObject());
  wxPaintDC dc(frame);
  const wxRect outer(frame->GetClientSize());
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
  dc.DrawRectangle(outer);
  wxRect inner = outer;
  inner.Deflate(kPortraitInset);
  const CDib& portrait = frame->GetId() == IDC_PORTRAIT1 ? m_dib1 : m_dib2;
  portrait.Draw(dc, &inner, nullptr, true, nullptr, true);
}

CTextWnd* CAboutCompanyDlg::GetTextWindow(int index) const {
  const CTextWnd* const windows[] = {m_wndBio1, m_wndBio2, m_wndBio3};
  return index >= 0 && index < 3 ? const_cast<CTextWnd*>(windows[index]) : nullptr;
}

void CAboutCompanyDlg::OnTextButton(wxCommandEvent& event) {
  CTextWnd** windows[] = {&m_wndBio1, &m_wndBio2, &m_wndBio3};
  for (size_t i = 0; i < 3; ++i)
    if (kTextButtons[i].id == event.GetId())
      ShowTextWindow(*windows[i], this, kTextButtons[i].resource, m_store, kTextButtons[i].rectValue,
                     kTextButtons[i].caption);
}

void CAboutCompanyDlg::EndModal(int result) {
  CloseTextWindows();
  wxDialog::EndModal(result);
}

void CAboutCompanyDlg::CloseTextWindows() {
  CTextWnd** windows[] = {&m_wndBio1, &m_wndBio2, &m_wndBio3};
  bool closed = false;
  for (size_t i = 0; i < 3; ++i) {
    if (!*windows[i]) continue;
    CloseTextWindow(*windows[i], m_store, kTextButtons[i].rectValue);
    closed = true;
  }
  if (closed) m_store.Flush();
}
