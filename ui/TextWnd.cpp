#include "ui/TextWnd.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/settings.h>

#include "game/SettingsStore.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "res/CompressedText.h"
#include "res/StringTable.h"
#include "ui/ResourcePicture.h"
#include "ui/TextWrapping.h"

namespace {

constexpr unsigned kLargestResourceId = 0xFFFF;
// The window's template size in dialog units.
constexpr int kTemplateWidth = 191;
constexpr int kTemplateHeight = 95;
// Tab stops lie every this many average character widths.
constexpr int kTabStopCharacters = 3;

WindowRect ToWindowRect(const wxRect& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

wxRect ToWxRect(const WindowRect& rect) {
  return wxRect(rect.left, rect.top, static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  FILE* file = platform::OpenFile(path, "rb");
  if (!file) return false;
  char buffer[8192];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  std::fclose(file);
  return true;
}

// The average width of a character of the window's font, as dialog units reckon it.
int AverageCharWidth(wxDC& dc) {
  const wxString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  return (dc.GetTextExtent(letters).x / 26 + 1) / 2;
}

// A modal dialog takes all input of the windows in its window group, which on GTK are all the
// program's windows by default, so a text window opened from a modal about box gets a group of
// its own. It is not marked as transient for its owner either: for a window that is, the
// toolkit moves it into the modal dialog's group when it is realized and adds a grab on it that
// hiding it never releases, and the about box would never take a click again. The toolkit's
// functions are looked up in the running program: where they are missing, nothing changes.
void TakeOwnInput(wxWindow* window) {
  using NewGroup = void* (*)();
  using AddWindow = void (*)(void*, void*);
  using SetTransientFor = void (*)(void*, void*);
  using Release = void (*)(void*);
  const auto newGroup = reinterpret_cast<NewGroup>(dlsym(RTLD_DEFAULT, "gtk_window_group_new"));
  const auto addWindow = reinterpret_cast<AddWindow>(dlsym(RTLD_DEFAULT, "gtk_window_group_add_window"));
  const auto setTransientFor =
      reinterpret_cast<SetTransientFor>(dlsym(RTLD_DEFAULT, "gtk_window_set_transient_for"));
  const auto release = reinterpret_cast<Release>(dlsym(RTLD_DEFAULT, "g_object_unref"));
  void* const handle = window->GetHandle();
  if (!newGroup || !addWindow || !setTransientFor || !release || !handle) return;
  setTransientFor(handle, nullptr);
  void* const group = newGroup();
  addWindow(group, handle);
  release(group);  // the window keeps its group
}

ScrollCode CodeOf(wxEventType type) {
  if (type == wxEVT_SCROLLWIN_LINEUP) return ScrollCode::LineUp;
  if (type == wxEVT_SCROLLWIN_LINEDOWN) return ScrollCode::LineDown;
  if (type == wxEVT_SCROLLWIN_PAGEUP) return ScrollCode::PageUp;
  if (type == wxEVT_SCROLLWIN_PAGEDOWN) return ScrollCode::PageDown;
  if (type == wxEVT_SCROLLWIN_TOP) return ScrollCode::Top;
  if (type == wxEVT_SCROLLWIN_BOTTOM) return ScrollCode::Bottom;
  if (type == wxEVT_SCROLLWIN_THUMBTRACK) return ScrollCode::ThumbTrack;
  return ScrollCode::ThumbPosition;
}

}  // namespace

CTextWnd::CTextWnd() = default;

CTextWnd::~CTextWnd() = default;

void CTextWnd::SetSource(unsigned resourceId) {
  if (m_view) return;
  m_nResource = resourceId <= kLargestResourceId ? resourceId : 0;
  m_strFile.clear();
}

void CTextWnd::SetSource(const std::string& path) {
  if (m_view) return;
  m_strFile = path;
  m_nResource = 0;
  if (m_pendingTitle.empty()) m_pendingTitle = path;
}

bool CTextWnd::Create(wxWindow* owner) {
  if (m_view) return true;
  if (!wxDialog::Create(owner, wxID_ANY, wxString::FromUTF8(m_pendingTitle), wxDefaultPosition,
                        wxDefaultSize,
                        wxCAPTION | wxSYSTEM_MENU | wxRESIZE_BORDER | wxMINIMIZE_BOX | wxMAXIMIZE_BOX |
                            wxCLOSE_BOX))
    return false;
  SetClientSize(ConvertDialogToPixels(wxSize(kTemplateWidth, kTemplateHeight)));
  TakeOwnInput(this);
  m_view = new wxWindow(this, wxID_ANY, wxPoint(0, 0), GetClientSize(),
                        wxVSCROLL | wxALWAYS_SHOW_SB | wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxBORDER_NONE);
  m_view->SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_view->Bind(wxEVT_PAINT, &CTextWnd::OnPaint, this);
  m_view->Bind(wxEVT_KEY_DOWN, &CTextWnd::OnKeyDown, this);
  m_view->Bind(wxEVT_MOUSEWHEEL, &CTextWnd::OnMouseWheel, this);
  for (const wxEventTypeTag<wxScrollWinEvent>& type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                           wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                           wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
    m_view->Bind(type, &CTextWnd::OnScroll, this);
  Bind(wxEVT_SIZE, &CTextWnd::OnSize, this);
  Bind(wxEVT_CLOSE_WINDOW, &CTextWnd::OnClose, this);

  if (m_rcWindow.IsEmpty())
    CentreOnParent();
  else
    MoveToKeptRect();
  LoadText();
  m_view->SetFocus();
  return true;
}

void CTextWnd::LoadText() {
  m_text.clear();
  if (!m_strFile.empty()) {
    ReadWholeFile(m_strFile, m_text);
    wxDialog::SetTitle(wxString::FromUTF8(platform::ToDisplayUtf8(m_strFile)));
  } else if (m_nResource != 0) {
    res::LoadTextResource(m_nResource, m_text);
    wxDialog::SetTitle(wxString());
  }
  // The text ends at its first zero byte, as a C string would.
  const size_t end = m_text.find('\0');
  if (end != std::string::npos) m_text.erase(end);
  RecalcLayout();
}

void CTextWnd::SetTitle(unsigned stringId, unsigned iconId) {
  std::string text;
  res::LoadString(stringId, text);
  SetTitle(text, iconId);
}

void CTextWnd::SetTitle(const std::string& text, unsigned iconId) {
  if (!m_view) {
    if (m_pendingTitle.empty()) m_pendingTitle = text;
    return;
  }
  if (!GetTitle().empty()) return;
  wxDialog::SetTitle(wxString::FromUTF8(platform::ToDisplayUtf8(text)));
  if (iconId != 0) {
    const wxIcon icon = LoadIconResource(iconId, 16);
    if (icon.IsOk()) SetIcon(icon);
  }
}

void CTextWnd::RecalcLayout() {
  if (!m_view || m_inLayout) return;
  m_inLayout = true;
  m_view->SetSize(GetClientSize());
  wxClientDC dc(m_view);
  dc.SetFont(m_view->GetFont());
  wxCoord width = 0, height = 0, descent = 0, leading = 0;
  dc.GetTextExtent("Xg", &width, &height, &descent, &leading);
  m_nLineHeight = std::max(1, std::abs(height + leading));
  const wxSize client = m_view->GetClientSize();
  const MeasureText measure = [&dc](const std::string& piece) {
    return dc.GetTextExtent(wxString::FromUTF8(piece)).x;
  };
  m_lines = WrapText(platform::ToDisplayUtf8(m_text), client.x,
                     kTabStopCharacters * AverageCharWidth(dc), measure);
  m_nLines = static_cast<int>(m_lines.size());
  m_nPageLines = client.y / m_nLineHeight;
  // Whole lines only: a window whose height leaves part of a line shrinks to the lines it shows.
  const int spare = client.y % m_nLineHeight;
  if (spare != 0 && m_nPageLines > 0 && !IsMaximized() && !IsIconized()) {
    const wxSize own = GetClientSize();
    SetClientSize(own.x, own.y - spare);
    m_view->SetSize(GetClientSize());
  }
  m_view->SetScrollbar(wxVERTICAL, ScrollBarPosition(m_nTopLine, m_nLines, m_nPageLines),
                       ScrollBarThumb(m_nPageLines), ScrollBarRange(m_nLines));
  m_inLayout = false;
}

void CTextWnd::OnSize(wxSizeEvent&) {
  if (!m_view || IsIconized()) return;
  RecalcLayout();
  m_view->Refresh();
}

void CTextWnd::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(m_view);
  const wxSize client = m_view->GetClientSize();
  const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  dc.SetBrush(wxBrush(face));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.DrawRectangle(wxPoint(0, 0), client);
  dc.SetFont(m_view->GetFont());
  dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
  dc.SetTextBackground(face);
  dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
  const int tabWidth = kTabStopCharacters * AverageCharWidth(dc);
  const MeasureText measure = [&dc](const std::string& piece) {
    return dc.GetTextExtent(wxString::FromUTF8(piece)).x;
  };
  const int first = ScrollBarPosition(m_nTopLine, m_nLines, m_nPageLines);
  for (int line = first; line < m_nLines; ++line) {
    const int y = (line - first) * m_nLineHeight;
    if (y >= client.y) break;
    for (const LinePiece& piece : SplitAtTabs(m_lines[line], tabWidth, measure))
      if (!piece.text.empty()) dc.DrawText(wxString::FromUTF8(piece.text), piece.x, y);
  }
}

void CTextWnd::VScroll(ScrollCode code, int thumb) {
  if (!m_view) return;
  const int top = NextTopLine(code, m_nTopLine, m_nLines, m_nPageLines, thumb);
  if (top == m_nTopLine) return;
  const int shownBefore = ScrollBarPosition(m_nTopLine, m_nLines, m_nPageLines);
  m_nTopLine = top;
  const int shownNow = ScrollBarPosition(m_nTopLine, m_nLines, m_nPageLines);
  m_view->SetScrollPos(wxVERTICAL, shownNow);
  const bool byLines = code == ScrollCode::LineUp || code == ScrollCode::LineDown ||
                       code == ScrollCode::ThumbPosition || code == ScrollCode::ThumbTrack;
  if (byLines)
    m_view->ScrollWindow(0, (shownBefore - shownNow) * m_nLineHeight);
  else
    m_view->Refresh();
  m_view->Update();
}

void CTextWnd::OnScroll(wxScrollWinEvent& event) {
  if (event.GetOrientation() != wxVERTICAL) return;
  VScroll(CodeOf(event.GetEventType()), event.GetPosition());
}

void CTextWnd::OnKeyDown(wxKeyEvent& event) {
  switch (event.GetKeyCode()) {
    case WXK_PAGEUP: VScroll(ScrollCode::PageUp); break;
    case WXK_PAGEDOWN: VScroll(ScrollCode::PageDown); break;
    case WXK_HOME: VScroll(ScrollCode::Top); break;
    case WXK_END: VScroll(ScrollCode::Bottom); break;
    case WXK_UP:
    case 'I': VScroll(ScrollCode::LineUp); break;
    case WXK_DOWN:
    case 'M': VScroll(ScrollCode::LineDown); break;
    default: break;
  }
  event.Skip();
}

void CTextWnd::OnMouseWheel(wxMouseEvent& event) {
  if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || event.GetWheelDelta() == 0) return;
  const int notches = event.GetWheelRotation() / event.GetWheelDelta();
  const int lines = std::abs(notches) * std::max(1, event.GetLinesPerAction());
  for (int i = 0; i < lines; ++i) VScroll(notches > 0 ? ScrollCode::LineUp : ScrollCode::LineDown);
}

void CTextWnd::OnClose(wxCloseEvent& event) {
  if (event.CanVeto()) {
    Hide();  // shown again on the next use
    event.Veto();
    return;
  }
  event.Skip();
}

void CTextWnd::KeepWindowRect() {
  if (m_view) m_rcWindow = ToWindowRect(GetRect());
}

void CTextWnd::MoveToKeptRect() {
  std::vector<WindowRect> displays;
  for (unsigned i = 0; i < wxDisplay::GetCount(); ++i)
    displays.push_back(ToWindowRect(wxDisplay(i).GetGeometry()));
  const wxRect work = wxDisplay().GetClientArea();
  WindowRect placed;
  if (PlaceStoredRect(m_rcWindow, work.x + work.width, work.y + work.height, displays, placed))
    SetSize(ToWxRect(placed));
}

void CTextWnd::LoadRect(const CSettingsStore& store, const std::string& section,
                        const std::string& value) {
  WindowRect rect;
  if (!ParseWindowRect(store.ReadString(section, value, "0,0,0,0"), rect) || rect == m_rcWindow)
    return;
  m_rcWindow = rect;
  if (m_view) {
    MoveToKeptRect();
    RecalcLayout();
  }
}

void CTextWnd::SaveRect(CSettingsStore& store, const std::string& section,
                        const std::string& value) const {
  if (m_rcWindow.Width() == 0 || m_rcWindow.Height() == 0) return;
  store.WriteString(section, value, FormatWindowRect(m_rcWindow));
}

void ShowTextWindow(CTextWnd*& window, wxWindow* owner, unsigned resourceId, CSettingsStore& store,
                    const std::string& rectValue, unsigned captionId) {
  if (!window) {
    auto* created = new CTextWnd();
    created->SetSource(resourceId);
    created->LoadRect(store, kSettingsSection, rectValue);
    if (!created->Create(owner)) {
      delete created;
      return;
    }
    created->SetTitle(captionId, kProgramIconId);
    window = created;
  }
  window->Show();
  window->Raise();
}

void CloseTextWindow(CTextWnd*& window, CSettingsStore& store, const std::string& rectValue) {
  if (!window) return;
  window->KeepWindowRect();
  window->SaveRect(store, kSettingsSection, rectValue);
  delete window;  // at once: it must not outlive its owner
  window = nullptr;
}
