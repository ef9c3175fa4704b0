#pragma once
// A resizable, scrolling window that shows a text: one of the program's compressed texts or a
// text file. It is created on first use by its owner, hidden rather than destroyed when the
// user closes it, and remembers its rectangle in the settings.
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "ui/TextScrolling.h"
#include "ui/WindowRect.h"

class CSettingsStore;
class wxWindow;

class CTextWnd : public wxDialog {
 public:
  CTextWnd();
  ~CTextWnd() override;

  // Only before Create. An id up to 0xFFFF names a compressed text resource; a path names a
  // text file and becomes the title unless one was given.
  void SetSource(unsigned resourceId);
  void SetSource(const std::string& path);

  // Creates the window, owned by owner, at its stored rectangle (or centred on its owner), and
  // loads and lays out the text. False when the window cannot be created.
  bool Create(wxWindow* owner);

  // Only while the title is empty: sets it to the text, or to the string with this id, and the
  // window's small icon to the icon resource iconId (0: none).
  using wxDialog::SetTitle;
  void SetTitle(unsigned stringId, unsigned iconId);
  void SetTitle(const std::string& text, unsigned iconId);

  // The window rectangle in the settings, "left,top,right,bottom". Loading takes a rectangle
  // that differs from the one kept, and moves an existing window there; saving writes the one
  // kept, unless it has no width or no height.
  void LoadRect(const CSettingsStore& store, const std::string& section, const std::string& value);
  void SaveRect(CSettingsStore& store, const std::string& section, const std::string& value) const;
  // Keeps the window's rectangle as it is now (the owner does so before destroying it).
  void KeepWindowRect();
  const WindowRect& GetKeptRect() const { return m_rcWindow; }

  // One scroll request, as the scroll bar and the keys send them.
  void VScroll(ScrollCode code, int thumb = 0);

  const std::string& GetText() const { return m_text; }
  const std::vector<std::string>& GetLines() const { return m_lines; }
  int GetLineCount() const { return m_nLines; }
  int GetPageLines() const { return m_nPageLines; }
  int GetLineHeight() const { return m_nLineHeight; }
  int GetTopLine() const { return m_nTopLine; }
  // The window that shows the text and carries the scroll bar.
  wxWindow* GetTextView() const { return m_view; }

 private:
  void LoadText();
  void RecalcLayout();
  void MoveToKeptRect();
  void OnSize(wxSizeEvent& event);
  void OnPaint(wxPaintEvent& event);
  void OnScroll(wxScrollWinEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnMouseWheel(wxMouseEvent& event);
  void OnClose(wxCloseEvent& event);

  std::string m_text;         // the bytes shown, up to the first zero byte
  std::vector<std::string> m_lines;  // the text broken into lines at the current width
  int m_nLines = 0;
  int m_nPageLines = 0;
  int m_nLineHeight = 1;
  int m_nTopLine = 0;
  WindowRect m_rcWindow;
  std::string m_strFile;
  unsigned m_nResource = 0;
  std::string m_pendingTitle;  // the title given before the window exists
  wxWindow* m_view = nullptr;
  bool m_inLayout = false;
};

// Opening a text window from a button of its owner: creates it on first use (source, stored
// rectangle, title from the caption string with the program's icon), then shows it and brings it
// to the front. window stays null when it cannot be created.
void ShowTextWindow(CTextWnd*& window, wxWindow* owner, unsigned resourceId, CSettingsStore& store,
                    const std::string& rectValue, unsigned captionId);

// Closing the owner: the window's rectangle is saved and the window destroyed.
void CloseTextWindow(CTextWnd*& window, CSettingsStore& store, const std::string& rectValue);
