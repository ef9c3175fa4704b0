#pragma once
// Driving dialogs from tests: clicks as the controls send them, modal runs with a script, and
// answers for the message boxes and folder choosers they open.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>

// The child of dialog with this id as T; fails the test when there is none of that kind.
template <class T>
T* Control(wxWindow* dialog, int id) {
  T* control = dynamic_cast<T*>(dialog->FindWindow(id));
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

// Clicks the control with this id: a check box toggles, a radio button turns on, and the
// control sends its command event.
void Click(wxWindow* dialog, int id);

// Double-clicks line of the list box with this id.
void DoubleClickLine(wxWindow* dialog, int id, int line);

// Shows dialog modally and runs script inside its modal loop; returns the result it ended
// with. A script that leaves the dialog open ends it with kScriptLeftOpen.
constexpr int kScriptLeftOpen = -4242;
int RunModal(wxDialog& dialog, std::function<void()> script);

// Answers the modal dialogs that the tested dialogs open, instead of showing them: every
// dialog that matches the filter is recorded and gets the next answer (wxID_CANCEL when none
// is left). Others are shown as usual.
class CModalAnswers : public wxModalDialogHook {
 public:
  explicit CModalAnswers(std::function<bool(wxDialog*)> filter);
  ~CModalAnswers() override;

  std::vector<int> answers;
  std::vector<wxString> titles;    // the caption of each answered dialog
  std::vector<wxString> messages;  // its message (message boxes, folder choosers)
  std::vector<long> styles;        // its button and icon style (message boxes)

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog*) override {}

 private:
  std::function<bool(wxDialog*)> m_filter;
};

// Filters for CModalAnswers.
bool IsMessageBox(wxDialog* dialog);
bool IsFolderChooser(wxDialog* dialog);

// Every control of dialog whose text the theme would clip, overlapping another, or reaching
// beyond the client area, described one a line; empty when the layout is sound.
std::vector<std::string> LayoutFaults(wxWindow* dialog);
