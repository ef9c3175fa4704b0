#pragma once
// A window hook that realizes a palette when the palette of the display changes, when the
// window may realize its own, and when it gets the focus. A handler without a palette only
// passes palette notices on to the window's descendants or its frame's view.
#include "ui/MsgHook.h"

class CPalette;
class wxDC;

class CPalMsgHandler : public CMsgHook {
 public:
  // The trace mask of the handler's diagnostic lines (wxLog::AddTraceMask shows them).
  static const char* const kTraceMask;

  // The palette to realize; not owned. Set before or after hooking.
  void SetPalette(CPalette* palette) { m_pPalette = palette; }
  CPalette* GetPalette() const { return m_pPalette; }

  // Handles focus, query-new-palette and palette-changed events; passes on every other.
  bool WindowProc(wxEvent& event) override;

  // Another window changed the display palette.
  virtual void OnPaletteChanged(wxWindow* focusWindow);
  // The window may realize its palette in the foreground; always answers true.
  virtual bool OnQueryNewPalette();
  virtual void OnSetFocus(wxWindow* previousWindow);
  // Realizes the palette and repaints the window when display colours changed; returns their
  // number (0 without a palette).
  virtual int DoRealizePalette(bool foreground);

 protected:
  // Realizes the palette for the hooked window: the number of display colours changed.
  virtual int RealizeForWindow(const CPalette& palette, bool foreground);

 private:
  // The view of the hooked frame that is active: the child of the frame holding the focus,
  // else its first child that is not a bar. None when the hooked window is not a frame.
  wxWindow* FindActiveView() const;

  CPalette* m_pPalette = nullptr;
};
