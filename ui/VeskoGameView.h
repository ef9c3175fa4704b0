#pragma once
// The scene view: the one window inside the main frame. It shows the start page, a story's
// title page or a scene (its picture in a carved frame, its text and up to four options), lays
// itself and the frame out once, turns clicks and keys into game document calls, and runs the
// animation timer.
#include <cstdint>

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/timer.h>
#include <wx/window.h>

#include "picture/Dib.h"
#include "ui/PalMsgHandler.h"
#include "picture/Palette.h"
#include "ui/ViewLayout.h"

class CMouseOverEvent;
class CMouseOverList;
class CMyBitmapButton;
class CMyButton;
class COptionArea;
class CVeskoGameDoc;
class wxFrame;

class CVeskoGameView : public wxWindow {
 public:
  // The shortest animation timer interval: faster frame rates run at this pace.
  static constexpr int kMinimumTimerInterval = 10;
  static constexpr int kAnimationTimerId = 0;
  static constexpr int kOptionCount = 4;

  // mouseOver: the application's mouse-over list, which the view joins at its first layout.
  CVeskoGameView(wxFrame* frame, CVeskoGameDoc& doc, CMouseOverList* mouseOver);
  ~CVeskoGameView() override;

  // The document has a new story or was reset: the palette follows its picture, and the first
  // time a picture exists the view lays out itself and the frame.
  void OnInitialUpdate();
  // The document's state changed: pages, buttons, texts and the status bar follow it.
  void OnUpdate();

  // Starts the animation timer unless it runs; a pace faster than kMinimumTimerInterval runs
  // at that minimum.
  void StartAnimationTimer(uint32_t intervalMs);
  void StopAnimationTimer();
  bool IsAnimating() const { return m_bAnimating; }
  int GetAnimationInterval() const { return m_animTimer.GetInterval(); }

  // Paints the view onto dc: frame, picture and text background where they meet area, then
  // the texts of the current page.
  void Render(wxDC& dc, const wxRect& area);

  bool IsLaidOut() const { return m_bInitialized; }
  wxPoint GetPicturePoint() const { return m_ptPicture; }
  wxPoint GetTextPoint() const { return m_ptText; }
  // The line height of the text font (its size in pixels) and the height of a text line, at
  // the view's zoom.
  int GetLineHeight() const;
  int GetTextLineHeight() const;

  // The zoom factor (1 to 4): the view is its 1× layout with every coordinate multiplied.
  int GetZoom() const { return m_zoom; }
  // Takes a zoom factor (kept within 1 to 4); once laid out, the view and, unless it shows
  // full screen, the frame's client area take the new size at once.
  void SetZoom(int zoom);
  // The largest zoom whose window fits in 90 % of the work area of the frame's display.
  int GetAutomaticZoom() const;
  // The client size at 1× (empty before the first layout).
  wxSize GetBaseClientSize() const { return m_base.client; }
  // The darkest colour of the picture frame, which surrounds the view in full screen.
  wxColour GetDarkestFrameColour() const;
  CMyBitmapButton* GetOptionButton(int index) const;
  COptionArea* GetOptionArea(int index) const;
  CMyButton* GetBeginButton() const { return m_btnBegin; }
  CMyButton* GetNewGameButton() const { return m_btnNewGame; }
  CMyButton* GetLoadGameButton() const { return m_btnLoadGame; }
  // Whether pictures larger than the frame are stretched into it (else cropped).
  void SetCanStretch(bool canStretch) { m_bCanStretch = canStretch; }

 private:
  enum FramePiece { kTop, kBottom, kLeft, kRight };

  void LoadFramePieces();
  void CopyPalette(const CDib& picture);
  void MakeFirstLayout();
  // Places the view, its children and the frame's client area at the zoom.
  void ApplyZoom();
  int ZoomForSetting(int setting) const;
  int BaseLineHeight() const;
  int BaseTextLineHeight() const;
  void CreateOptionRows();
  void CreateTextButtons();

  void UpdateTitlePage();
  void UpdateStartPageButtons();
  void RefreshSceneControls();
  void RefreshStatusBar();
  // After a button with the focus was hidden, the focus comes back to the view, or to New Game
  // when the start page shows.
  void KeepFocusInView();

  void PaintBackground(wxDC& dc, const wxRect& area);
  void DrawStartPage(wxDC& dc);
  void DrawTitlePage(wxDC& dc);
  void DrawScenePage(wxDC& dc);
  // Draws text centred between the client's sides from top; returns the bottom of the text
  // (top itself for an empty text).
  int DrawCentredLine(wxDC& dc, const wxString& text, int top, int lineHeight);

  void ChooseOption(int index);

  void OnPaint(wxPaintEvent& event);
  void OnTimer(wxTimerEvent& event);
  void OnSetFocus(wxFocusEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnOptionButton(wxCommandEvent& event);
  void OnBeginPlay(wxCommandEvent& event);
  void OnStartPageButton(wxCommandEvent& event);
  void OnMouseOver(CMouseOverEvent& event);
  void OnPaletteChanged(wxPaletteChangedEvent& event);

  CVeskoGameDoc& m_doc;
  CMouseOverList* m_mouseOver;

  CPalMsgHandler m_palHandler;
  bool m_bInitialized = false;
  bool m_bCanStretch = true;
  wxFont m_fontText;
  wxFont m_fontItalic;
  wxFont m_fontName;
  wxFont m_fontAppName;
  wxFont m_fontSmall;
  wxPoint m_ptText;
  wxPoint m_ptPicture;
  wxString m_strText;
  CMyButton* m_btnBegin = nullptr;
  CMyButton* m_btnNewGame = nullptr;
  CMyButton* m_btnLoadGame = nullptr;
  CMyBitmapButton* m_btnOption[kOptionCount] = {};
  COptionArea* m_areaOption[kOptionCount] = {};
  CDib m_dibFrame[4];
  wxSize m_sizeFrame[4];
  wxBitmap m_bmpFrame[4];  // the pieces ready for drawing
  wxBitmap m_bmpFrameZoomed[4];  // the same at the view's zoom
  int m_zoom = 1;
  ViewLayout m_base;    // the layout at 1×
  ViewLayout m_layout;  // the layout at the view's zoom
  wxFont m_fontButton;  // the text buttons' font at 1×
  bool m_bFrameLoaded = false;
  CPalette m_pal;
  bool m_bAnimating = false;
  wxTimer m_animTimer;
};
