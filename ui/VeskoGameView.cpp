#include "ui/VeskoGameView.h"

#include <algorithm>
#include <limits>
#include <memory>

#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/statusbr.h>

#include "game/GameDoc.h"
#include "platform/TextEncoding.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/DibDraw.h"
#include "ui/GameMenu.h"
#include "ui/MainFrame.h"
#include "ui/MouseOverEvent.h"
#include "ui/MouseOverList.h"
#include "ui/MyBitmapButton.h"
#include "ui/MyButton.h"
#include "ui/OptionArea.h"
#include "ui/TextLayout.h"

namespace {

// The program's bitmaps of the picture frame and the option buttons.
constexpr unsigned kFramePieceIds[4] = {135, 136, 137, 138};  // top, bottom, left, right
constexpr unsigned kOptionBitmapFirst = 145;  // normal and pressed picture of each digit

// The largest picture drawn at its own size; larger ones are fitted into this.
constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 112;

constexpr int kTabStopChars = 3;

constexpr int kTextFontPoints = 9;

wxString Display(const std::string& bytes) { return wxString::FromUTF8(platform::ToDisplayUtf8(bytes)); }

wxString LoadDisplayString(unsigned id) {
  std::string text;
  return res::LoadString(id, text) ? Display(text) : wxString();
}

bool IsShownWindow(const wxWindow* window) { return window && window->IsShown(); }

}  // namespace

CVeskoGameView::CVeskoGameView(wxFrame* frame, CVeskoGameDoc& doc, CMouseOverList* mouseOver)
    : wxWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxWANTS_CHARS),
      m_doc(doc),
      m_mouseOver(mouseOver),
      m_fontText(wxFontInfo(kTextFontPoints).FaceName("Arial")),
      m_fontItalic(wxFontInfo(10).FaceName("Arial").Italic()),
      m_fontName(wxFontInfo(11).FaceName("Arial").Bold()),
      m_fontAppName(wxFontInfo(14).FaceName("Arial").Bold()),
      m_fontSmall(wxFontInfo(8).FaceName("Arial")),
      m_animTimer(this, kAnimationTimerId) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CVeskoGameView::OnPaint, this);
  Bind(wxEVT_TIMER, &CVeskoGameView::OnTimer, this);
  Bind(wxEVT_SET_FOCUS, &CVeskoGameView::OnSetFocus, this);
  Bind(wxEVT_KEY_DOWN, &CVeskoGameView::OnKeyDown, this);
  Bind(wxEVT_LEFT_DOWN, &CVeskoGameView::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &CVeskoGameView::OnLeftUp, this);
  Bind(wxEVT_BUTTON, &CVeskoGameView::OnOptionButton, this, res::ID_OPTION_BUTTON1,
       res::ID_OPTION_BUTTON1 + kOptionCount - 1);
  Bind(wxEVT_BUTTON, &CVeskoGameView::OnBeginPlay, this, res::ID_BEGIN_PLAY);
  Bind(wxEVT_BUTTON, &CVeskoGameView::OnStartPageButton, this, MenuItemIdFor(res::ID_GAME_NEW));
  Bind(wxEVT_BUTTON, &CVeskoGameView::OnStartPageButton, this, MenuItemIdFor(res::ID_FILE_OPEN));
  Bind(EVT_MOUSE_OVER, &CVeskoGameView::OnMouseOver, this);
  Bind(EVT_MOUSE_LEFT, &CVeskoGameView::OnMouseOver, this);
  Bind(wxEVT_PALETTE_CHANGED, &CVeskoGameView::OnPaletteChanged, this);
}

CVeskoGameView::~CVeskoGameView() {
  if (m_mouseOver) m_mouseOver->Unregister(this);
  StopAnimationTimer();
  m_palHandler.HookWindow(nullptr);
}

// --- Initial update and first layout ---

void CVeskoGameView::OnInitialUpdate() {
  OnUpdate();
  if (!m_bInitialized) {
    if (m_mouseOver) m_mouseOver->Register(this);
    LoadFramePieces();
    m_bCanStretch = true;  // every display the toolkit drives can stretch pictures
  }
  const CDib* picture = m_doc.GetCurrentPicture();
  if (!picture) return;
  CopyPalette(*picture);
  if (!m_palHandler.IsHooked()) {
    m_palHandler.SetPalette(&m_pal);
    m_palHandler.HookWindow(this);
    m_palHandler.DoRealizePalette(HasFocus());
  }
  if (m_bInitialized) return;
  if (wxDynamicCast(GetParent(), wxFrame))
    MakeFirstLayout();
  else
    m_bInitialized = true;
}

void CVeskoGameView::LoadFramePieces() {
  if (m_bFrameLoaded) return;
  for (int piece = kTop; piece <= kRight; ++piece) {
    CDib& dib = m_dibFrame[piece];
    if (dib.Load(kFramePieceIds[piece]) && dib.GetBitmap()) {
      m_sizeFrame[piece] = wxSize(dib.GetWidth(), dib.GetHeight());
      m_bmpFrame[piece] = wxBitmap(DibToImage(*dib.GetBitmap()));
    }
  }
  m_bFrameLoaded = true;
}

void CVeskoGameView::CopyPalette(const CDib& picture) {
  const CPalette& source = picture.GetPalette();
  if (!source.IsCreated()) return;
  const std::vector<PaletteEntry>& entries = source.Entries();
  if (m_pal.IsCreated())
    m_pal.SetPaletteEntries(0, entries.size(), entries.data());
  else
    m_pal.CreatePalette(entries.data(), entries.size());
}

int CVeskoGameView::BaseLineHeight() const {
  // The font's size in pixels on this display, as a point font's logical height.
  const wxSize ppi = wxClientDC(const_cast<CVeskoGameView*>(this)).GetPPI();
  return (kTextFontPoints * ppi.y + 36) / 72;
}

int CVeskoGameView::BaseTextLineHeight() const {
  wxClientDC dc(const_cast<CVeskoGameView*>(this));
  dc.SetFont(m_fontText);
  return LineHeightOf(dc);
}

int CVeskoGameView::GetLineHeight() const { return m_zoom * BaseLineHeight(); }

int CVeskoGameView::GetTextLineHeight() const { return m_zoom * BaseTextLineHeight(); }

void CVeskoGameView::MakeFirstLayout() {
  CreateOptionRows();
  ViewMeasures measures;
  measures.frameTop = m_sizeFrame[kTop];
  measures.frameBottom = m_sizeFrame[kBottom];
  measures.frameLeft = m_sizeFrame[kLeft];
  measures.optionButton = m_btnOption[0]->GetSize();
  measures.optionAreaHeight = m_areaOption[0]->GetAreaHeight();
  measures.textLine = BaseTextLineHeight();
  measures.lineHeight = BaseLineHeight();
  m_base = MakeViewLayout(measures);
  CreateTextButtons();
  m_zoom = ZoomForSetting(m_doc.Settings().Zoom);
  ApplyZoom();
  m_btnNewGame->SetFocus();
  m_bInitialized = true;
}

int CVeskoGameView::ZoomForSetting(int setting) const {
  return setting >= kMinimumZoom && setting <= kMaximumZoom ? setting : GetAutomaticZoom();
}

int CVeskoGameView::GetAutomaticZoom() const {
  auto* frame = wxDynamicCast(GetParent(), wxFrame);
  if (!frame || m_base.client.x <= 0) return kMinimumZoom;
  const wxSize decoration = frame->GetSize() - frame->GetClientSize();
  return AutomaticZoom(DisplayOf(*frame).GetClientArea().GetSize(), m_base.client, decoration);
}

void CVeskoGameView::SetZoom(int zoom) {
  m_zoom = std::clamp(zoom, kMinimumZoom, kMaximumZoom);
  if (m_btnNewGame) ApplyZoom();
}

wxColour CVeskoGameView::GetDarkestFrameColour() const {
  int darkest = 3 * 255 + 1;
  wxColour colour = *wxBLACK;
  for (const wxBitmap& piece : m_bmpFrame) {
    if (!piece.IsOk()) continue;
    const wxImage image = piece.ConvertToImage();
    const unsigned char* rgb = image.GetData();
    for (size_t i = 0, n = size_t(image.GetWidth()) * image.GetHeight(); i < n; ++i, rgb += 3) {
      if (rgb[0] + rgb[1] + rgb[2] >= darkest) continue;
      darkest = rgb[0] + rgb[1] + rgb[2];
      colour = wxColour(rgb[0], rgb[1], rgb[2]);
    }
  }
  return colour;
}

void CVeskoGameView::ApplyZoom() {
  m_layout = m_base.Scaled(m_zoom);
  m_ptPicture = m_layout.picture;
  m_ptText = m_layout.text;
  for (int piece = kTop; piece <= kRight; ++piece) m_bmpFrameZoomed[piece] = ZoomBitmap(m_bmpFrame[piece], m_zoom);
  for (int i = 0; i < kOptionCount; ++i) {
    m_btnOption[i]->SetZoom(m_zoom);
    m_btnOption[i]->SetSize(m_layout.optionButtons[i]);
    m_areaOption[i]->SetZoom(m_zoom);
    m_areaOption[i]->SetSize(m_layout.optionAreas[i]);
  }
  // The text buttons' captions grow with the view; at 1× they keep the system's font.
  const wxFont buttonFont = m_fontButton.Scaled(static_cast<float>(m_zoom));
  const std::pair<CMyButton*, wxRect> buttons[] = {{m_btnBegin, m_layout.beginButton},
                                                   {m_btnNewGame, m_layout.newGameButton},
                                                   {m_btnLoadGame, m_layout.loadGameButton}};
  for (const auto& [button, rect] : buttons) {
    if (button->GetFont() != buttonFont) button->SetFont(buttonFont);
    button->SetSize(rect);
  }
  auto* frame = wxDynamicCast(GetParent(), wxFrame);
  if (frame && !frame->IsFullScreen()) {
    frame->SetClientSize(m_layout.client);
    SetSize(0, 0, m_layout.client.x, m_layout.client.y);
  } else {
    SetSize(m_layout.client);
  }
  Refresh();
}

void CVeskoGameView::CreateOptionRows() {
  for (int i = 0; i < kOptionCount; ++i) {
    auto* button = new CMyBitmapButton(this, res::ID_OPTION_BUTTON1 + i, wxString::Format("btn%d", i + 1), wxPoint(2, 0));
    button->LoadBitmaps(kOptionBitmapFirst + 2 * i, kOptionBitmapFirst + 2 * i + 1);
    button->SizeToContent();
    m_btnOption[i] = button;
    m_areaOption[i] = new COptionArea(this, res::ID_OPTION_AREA1 + i, wxPoint(button->GetSize().x + 2, 0), 1);
  }
}

void CVeskoGameView::CreateTextButtons() {
  m_btnBegin = new CMyButton(this, res::ID_BEGIN_PLAY, wxString(), m_base.beginButton.GetPosition(),
                             m_base.beginButton.GetSize());
  m_btnBegin->Hide();
  m_btnNewGame = new CMyButton(this, MenuItemIdFor(res::ID_GAME_NEW), Display(res::LoadStringOr(res::IDS_NEW_GAME_BUTTON, "New Game")),
                               m_base.newGameButton.GetPosition(), m_base.newGameButton.GetSize());
  m_btnLoadGame = new CMyButton(this, MenuItemIdFor(res::ID_FILE_OPEN),
                                Display(res::LoadStringOr(res::IDS_LOAD_GAME_BUTTON, "Load Game")),
                                m_base.loadGameButton.GetPosition(), m_base.loadGameButton.GetSize());
  m_btnLoadGame->Show(m_doc.HasSavedPosition());
  m_fontButton = m_btnNewGame->GetFont();
}

// --- Updates ---

void CVeskoGameView::OnUpdate() {
  if (m_doc.IsStoryLoaded() && m_doc.IsTitlePage()) {
    UpdateTitlePage();
  } else {
    RefreshStatusBar();
    RefreshSceneControls();
    if (m_btnBegin) m_btnBegin->Hide();
    UpdateStartPageButtons();
    KeepFocusInView();
  }
  // Paint now rather than at the toolkit's next frame: a new scene shows without delay.
  Refresh();
  Update();
}

void CVeskoGameView::UpdateTitlePage() {
  for (wxWindow* button : {static_cast<wxWindow*>(m_btnNewGame), static_cast<wxWindow*>(m_btnLoadGame)})
    if (button) button->Hide();
  for (int i = 0; i < kOptionCount; ++i) {
    if (m_btnOption[i]) m_btnOption[i]->Hide();
    if (m_areaOption[i]) m_areaOption[i]->Hide();
  }
  if (!m_btnBegin) return;
  const std::string caption = res::LoadStringOr(m_doc.IsTitleNewGame() ? res::IDS_BEGIN_PLAY : res::IDS_CONTINUE_PLAY, "");
  m_btnBegin->SetLabel(Display(caption));
  m_btnBegin->SetSize(m_layout.beginButton);
  m_btnBegin->Show();
  m_btnBegin->SetFocus();
}

// The start page offers its buttons again whenever it shows, so that a game started afresh
// (Ctrl+N) can begin from the page itself.
void CVeskoGameView::UpdateStartPageButtons() {
  const bool startPage = !m_doc.IsStoryLoaded();
  if (m_btnNewGame) m_btnNewGame->Show(startPage);
  if (m_btnLoadGame) m_btnLoadGame->Show(startPage && m_doc.HasSavedPosition());
}

void CVeskoGameView::RefreshSceneControls() {
  m_strText = Display(m_doc.GetSceneText());
  for (int i = 0; i < kOptionCount; ++i) {
    if (!m_btnOption[i]) continue;
    const std::string option = m_doc.GetOptionText(i);
    const bool shown = !option.empty();
    if (shown) m_areaOption[i]->SetLabel(Display(option));
    m_btnOption[i]->Show(shown);
    m_areaOption[i]->Show(shown);
  }
}

void CVeskoGameView::RefreshStatusBar() {
  if (!m_doc.ShowSceneNames()) return;
  auto* frame = wxDynamicCast(GetParent(), wxFrame);
  if (frame && frame->GetStatusBar()) frame->SetStatusText(Display(m_doc.GetSceneName()), 0);
}

void CVeskoGameView::KeepFocusInView() {
  wxWindow* focus = wxWindow::FindFocus();
  if (focus && focus != this && focus->GetParent() == this && focus->IsShown()) return;
  if (focus && focus != GetParent() && !IsDescendant(focus)) return;  // another window: leave it
  // The view hands the focus on to New Game when it gets it, but a view that has it already
  // hears of no new focus: so New Game takes it here.
  if (IsShownWindow(m_btnNewGame))
    m_btnNewGame->SetFocus();
  else if (focus != this)
    SetFocus();
}

// --- Painting ---

void CVeskoGameView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  wxRect area = GetUpdateRegion().GetBox();
  if (area.IsEmpty()) area = wxRect(GetClientSize());
  Render(dc, area);
}

void CVeskoGameView::Render(wxDC& dc, const wxRect& area) {
  PaintBackground(dc, area);
  const wxFont previous = dc.GetFont();
  dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  if (!m_doc.IsStoryLoaded())
    DrawStartPage(dc);
  else if (m_doc.IsTitlePage())
    DrawTitlePage(dc);
  else
    DrawScenePage(dc);
  dc.SetFont(previous);
}

void CVeskoGameView::PaintBackground(wxDC& dc, const wxRect& area) {
  const wxSize top = m_sizeFrame[kTop], left = m_sizeFrame[kLeft], right = m_sizeFrame[kRight];
  const wxPoint origins[4] = {wxPoint(0, 0), wxPoint(0, top.y + left.y), wxPoint(0, top.y),
                              wxPoint(top.x - right.x, top.y)};
  for (int piece = kTop; piece <= kRight; ++piece) {
    const wxRect rect(origins[piece] * m_zoom, m_sizeFrame[piece] * m_zoom);
    if (m_bmpFrameZoomed[piece].IsOk() && rect.Intersects(area)) DrawBitmap(dc, m_bmpFrameZoomed[piece], &rect);
  }
  if (const CDib* picture = m_doc.GetCurrentPicture()) {
    const wxSize size(picture->GetWidth(), picture->GetHeight());
    const wxRect own(m_ptPicture, size * m_zoom);
    if (own.Intersects(area)) {
      const wxRect fitted(m_ptPicture, wxSize(kPictureWidth, kPictureHeight) * m_zoom);
      const wxRect corner(0, 0, kPictureWidth, kPictureHeight);
      if (size.x <= kPictureWidth && size.y <= kPictureHeight)
        picture->Draw(dc, &own, nullptr, false);
      else if (m_bCanStretch)
        picture->Draw(dc, &fitted, nullptr, false);
      else
        picture->Draw(dc, &fitted, &corner, false);
    }
  }
  const wxSize client = GetClientSize();
  const wxRect textArea(m_ptText, wxSize(client.x - m_ptText.x, client.y - m_ptText.y));
  if (textArea.Intersects(area)) {
    const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(window));
    dc.DrawRectangle(textArea);
  }
}

int CVeskoGameView::DrawCentredLine(wxDC& dc, const wxString& text, int top, int lineHeight) {
  if (text.empty()) return top;
  const int margin = 2 * m_zoom;
  const int width = GetClientSize().x - 2 * margin;
  const int height = MeasureWrappedText(dc, text, width, 0, lineHeight);
  DrawWrappedText(dc, text, wxRect(margin, top, width, height), TextAlign::Centre, 0, lineHeight);
  return top + height;
}

void CVeskoGameView::DrawStartPage(wxDC& dc) {
  const int z = m_zoom;
  int top = m_ptText.y + 2 * z;
  int lastBottom = top;
  // Draws one line and moves below it by gap (at 1×); a missing or empty string takes no room.
  auto line = [&](const wxString& text, const wxFont& font, int gap) {
    if (text.empty()) return;
    lastBottom = DrawCentredLine(dc, text, top, SelectZoomedFont(dc, font, z));
    top = lastBottom + gap * z;
  };
  line(LoadDisplayString(res::IDS_APP_TITLE), m_fontAppName, 4);
  line(LoadDisplayString(res::IDS_APP_SUBTITLE), m_fontText, 2);
  top += 18 * z;
  line(LoadDisplayString(res::IDS_APP_COPYRIGHT), m_fontSmall, 2);
  line(LoadDisplayString(res::IDS_ALL_RIGHTS_RESERVED), m_fontSmall, 2);
  top = lastBottom + 10 * z;
  line(LoadDisplayString(res::IDS_WEB_SITE_LINE1), m_fontItalic, 2);
  line(LoadDisplayString(res::IDS_WEB_SITE_LINE2), m_fontItalic, 2);
  line(LoadDisplayString(res::IDS_WEB_SITE_ADDRESS), m_fontItalic, 2);
}

void CVeskoGameView::DrawTitlePage(wxDC& dc) {
  const TitleSection& title = m_doc.GetTitleRecord();
  const int z = m_zoom;
  int top = m_ptText.y + 2 * z;
  auto line = [&](const wxString& text, const wxFont& font, int gap) {
    top = DrawCentredLine(dc, text, top, SelectZoomedFont(dc, font, z)) + gap * z;
  };
  line(Display(title.Name.Text), m_fontName, 4);
  const std::string& date = title.Date.Text;
  const std::string& version = title.Version.Text;
  if (!date.empty() || !version.empty())
    line(Display(date + (!date.empty() && !version.empty() ? "  " : "") + version), m_fontSmall, 2);
  line("Written by " + Display(title.Author.Text), m_fontText, 2);
  line("Art by " + Display(title.Artist.Text), m_fontText, 2);
  if (!title.Company.Text.empty()) line("Produced by " + Display(title.Company.Text), m_fontText, 2);
  if (!title.Contact.Text.empty()) line("(" + Display(title.Contact.Text) + ")", m_fontText, 2);
  if (!title.Copyright.Text.empty()) line(Display(title.Copyright.Text), m_fontSmall, 0);
}

void CVeskoGameView::DrawScenePage(wxDC& dc) {
  // Tab stops and lines keep their places at every zoom: both are measured on the 1× font.
  dc.SetFont(m_fontText);
  const int tabWidth = kTabStopChars * dc.GetCharWidth() * m_zoom;
  const int lineHeight = SelectZoomedFont(dc, m_fontText, m_zoom);
  const int margin = 2 * m_zoom;
  const wxSize client = GetClientSize();
  const wxRect area(margin, m_ptText.y + margin, client.x - 2 * margin, client.y - m_ptText.y - margin);
  DrawWrappedText(dc, m_strText, area, TextAlign::Left, tabWidth, lineHeight);
}

// --- Input ---

void CVeskoGameView::ChooseOption(int index) {
  m_doc.FollowOption(index);
  RefreshStatusBar();
}

void CVeskoGameView::OnOptionButton(wxCommandEvent& event) { ChooseOption(event.GetId() - res::ID_OPTION_BUTTON1); }

void CVeskoGameView::OnBeginPlay(wxCommandEvent&) { m_doc.BeginPlay(); }

// "New Game" and "Load Game" are the Game menu's commands: they go the commands' way.
void CVeskoGameView::OnStartPageButton(wxCommandEvent& event) {
  wxCommandEvent command(wxEVT_MENU, CommandForMenuItem(event.GetId()));
  command.SetEventObject(event.GetEventObject());
  if (wxWindow* parent = GetParent()) parent->GetEventHandler()->ProcessEvent(command);
}

void CVeskoGameView::OnKeyDown(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key >= '1' && key <= '4' && !event.HasAnyModifiers()) {
    const int index = key - '1';
    if (IsShownWindow(m_btnOption[index])) {
      wxCommandEvent command(wxEVT_BUTTON, res::ID_OPTION_BUTTON1 + index);
      command.SetEventObject(this);
      ProcessWindowEvent(command);
      return;
    }
  }
  event.Skip();
}

void CVeskoGameView::OnLeftDown(wxMouseEvent& event) {
  // A click on the view brings the focus to it, as to any document window.
  if (!HasFocus()) SetFocus();
  event.Skip();
}

void CVeskoGameView::OnLeftUp(wxMouseEvent& event) {
  for (int i = 0; i < kOptionCount; ++i) {
    COptionArea* area = m_areaOption[i];
    if (IsShownWindow(area) && area->GetRect().Contains(event.GetPosition())) {
      ChooseOption(i);
      return;
    }
  }
  event.Skip();
}

void CVeskoGameView::OnSetFocus(wxFocusEvent& event) {
  event.Skip();
  if (IsShownWindow(m_btnNewGame))
    m_btnNewGame->SetFocus();
  else if (IsShownWindow(m_btnBegin))
    m_btnBegin->SetFocus();
}

void CVeskoGameView::OnMouseOver(CMouseOverEvent& event) {
  for (COptionArea* area : m_areaOption)
    if (IsShownWindow(area)) area->UpdateHover(event.GetPoint());
}

void CVeskoGameView::OnPaletteChanged(wxPaletteChangedEvent&) { Refresh(); }

// --- Animation ---

void CVeskoGameView::StartAnimationTimer(uint32_t intervalMs) {
  if (m_bAnimating) return;
  const uint32_t limited = std::min<uint32_t>(intervalMs, static_cast<uint32_t>(std::numeric_limits<int>::max()));
  m_animTimer.Start(std::max(kMinimumTimerInterval, static_cast<int>(limited)));
  m_bAnimating = true;
}

void CVeskoGameView::StopAnimationTimer() {
  if (!m_bAnimating) return;
  m_animTimer.Stop();
  m_bAnimating = false;
}

void CVeskoGameView::OnTimer(wxTimerEvent& event) {
  if (event.GetId() != kAnimationTimerId) {
    event.Skip();
    return;
  }
  const int frame = m_doc.FrameIndex();
  m_doc.AdvanceAnimation();
  // A finished animation keeps its last frame: nothing to paint again.
  if (m_doc.FrameIndex() == frame) return;
  if (const CDib* picture = m_doc.GetCurrentPicture()) {
    RefreshRect(wxRect(m_ptPicture, wxSize(picture->GetWidth(), picture->GetHeight()) * m_zoom));
    Update();
  }
}

CMyBitmapButton* CVeskoGameView::GetOptionButton(int index) const {
  return index >= 0 && index < kOptionCount ? m_btnOption[index] : nullptr;
}

COptionArea* CVeskoGameView::GetOptionArea(int index) const {
  return index >= 0 && index < kOptionCount ? m_areaOption[index] : nullptr;
}
