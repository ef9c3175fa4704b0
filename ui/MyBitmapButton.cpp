#include "ui/MyBitmapButton.h"

#include <memory>
#include <vector>

#include <wx/dcclient.h>
#include <wx/settings.h>

#include "picture/Dib.h"
#include "ui/DibDraw.h"

namespace {

enum Slot { kNormal, kSelected, kFocused, kDisabled };

// The palette of a button keeps at most this many colours.
constexpr size_t kButtonPaletteSize = 32;

// The picture of resource id with its corner colour turned into the window colour.
wxBitmap LoadButtonPicture(unsigned id, std::unique_ptr<CDib>* dibOut = nullptr) {
  auto dib = std::make_unique<CDib>();
  if (!dib->Load(id) || !dib->GetBitmap()) return wxBitmap();
  wxImage image = DibToImage(*dib->GetBitmap());
  FloodFill(image, 0, 0, wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  if (dibOut) *dibOut = std::move(dib);
  return wxBitmap(image);
}

}  // namespace

void FloodFill(wxImage& image, int x, int y, const wxColour& colour) {
  const int width = image.GetWidth(), height = image.GetHeight();
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  unsigned char* data = image.GetData();
  auto at = [&](int px, int py) { return data + (static_cast<size_t>(py) * width + px) * 3; };
  const unsigned char* seed = at(x, y);
  const unsigned char from[3] = {seed[0], seed[1], seed[2]};
  const unsigned char to[3] = {colour.Red(), colour.Green(), colour.Blue()};
  if (from[0] == to[0] && from[1] == to[1] && from[2] == to[2]) return;
  auto matches = [&](int px, int py) {
    const unsigned char* p = at(px, py);
    return p[0] == from[0] && p[1] == from[1] && p[2] == from[2];
  };
  std::vector<std::pair<int, int>> pending{{x, y}};
  while (!pending.empty()) {
    auto [px, py] = pending.back();
    pending.pop_back();
    if (px < 0 || py < 0 || px >= width || py >= height || !matches(px, py)) continue;
    unsigned char* p = at(px, py);
    p[0] = to[0];
    p[1] = to[1];
    p[2] = to[2];
    pending.push_back({px + 1, py});
    pending.push_back({px - 1, py});
    pending.push_back({px, py + 1});
    pending.push_back({px, py - 1});
  }
}

CMyBitmapButton::CMyBitmapButton(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& position) {
  Hide();
  Create(parent, id, position, wxSize(1, 1), wxBORDER_NONE, text);
  SetLabel(text);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CMyBitmapButton::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CMyBitmapButton::OnLeftDown, this);
  Bind(wxEVT_LEFT_DCLICK, &CMyBitmapButton::OnLeftDown, this);
  Bind(wxEVT_MOTION, &CMyBitmapButton::OnMotion, this);
  Bind(wxEVT_LEFT_UP, &CMyBitmapButton::OnLeftUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CMyBitmapButton::OnCaptureLost, this);
}

bool CMyBitmapButton::LoadBitmaps(unsigned normalId, unsigned selectedId, unsigned focusedId, unsigned disabledId) {
  for (wxBitmap& bitmap : m_pictures) bitmap = wxBitmap();
  m_pal.DeleteObject();
  std::unique_ptr<CDib> normal;
  m_pictures[kNormal] = LoadButtonPicture(normalId, &normal);
  const unsigned ids[] = {0, selectedId, focusedId, disabledId};
  bool loaded = m_pictures[kNormal].IsOk();
  for (int slot = kSelected; loaded && slot <= kDisabled; ++slot) {
    if (ids[slot] == 0) continue;
    m_pictures[slot] = LoadButtonPicture(ids[slot]);
    loaded = m_pictures[slot].IsOk();
  }
  if (!loaded)
    for (wxBitmap& bitmap : m_pictures) bitmap = wxBitmap();
  SetZoom(m_zoom);
  if (!loaded || !normal->BuildPalette(m_pal)) return false;
  if (m_pal.GetEntryCount() > kButtonPaletteSize) m_pal.ResizePalette(kButtonPaletteSize);
  Refresh(false);
  return true;
}

void CMyBitmapButton::SetZoom(int zoom) {
  m_zoom = zoom;
  for (int slot = kNormal; slot <= kDisabled; ++slot) m_bitmaps[slot] = ZoomBitmap(m_pictures[slot], zoom);
  Refresh(false);
}

void CMyBitmapButton::SizeToContent() {
  if (m_bitmaps[kNormal].IsOk()) SetSize(m_bitmaps[kNormal].GetWidth(), m_bitmaps[kNormal].GetHeight());
}

const wxBitmap* CMyBitmapButton::ChooseBitmap() const {
  if (m_pressed && m_bitmaps[kSelected].IsOk()) return &m_bitmaps[kSelected];
  if (HasFocus() && m_bitmaps[kFocused].IsOk()) return &m_bitmaps[kFocused];
  if (!IsEnabled() && m_bitmaps[kDisabled].IsOk()) return &m_bitmaps[kDisabled];
  return m_bitmaps[kNormal].IsOk() ? &m_bitmaps[kNormal] : nullptr;
}

void CMyBitmapButton::Render(wxDC& dc) {
  const wxBitmap* bitmap = ChooseBitmap();
  if (!bitmap) return;
  const wxRect item(GetClientSize());
  DrawBitmap(dc, *bitmap, &item, &item);
}

void CMyBitmapButton::SetPressed(bool pressed) {
  if (pressed == m_pressed) return;
  m_pressed = pressed;
  Refresh(false);
}

void CMyBitmapButton::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Render(dc);
}

void CMyBitmapButton::OnLeftDown(wxMouseEvent&) {
  if (!HasCapture() && IsShownOnScreen()) CaptureMouse();
  SetPressed(true);
}

void CMyBitmapButton::OnMotion(wxMouseEvent& event) {
  if (HasCapture()) SetPressed(wxRect(GetClientSize()).Contains(event.GetPosition()));
  event.Skip();
}

void CMyBitmapButton::OnLeftUp(wxMouseEvent& event) {
  if (HasCapture()) ReleaseMouse();
  const bool clicked = m_pressed && wxRect(GetClientSize()).Contains(event.GetPosition());
  SetPressed(false);
  if (!clicked) return;
  wxCommandEvent command(wxEVT_BUTTON, GetId());
  command.SetEventObject(this);
  ProcessWindowEvent(command);
}

void CMyBitmapButton::OnCaptureLost(wxMouseCaptureLostEvent&) { SetPressed(false); }
