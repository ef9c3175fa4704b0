#include "tests/ui_dialogs/DialogTestSupport.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

void Click(wxWindow* dialog, int id) {
  wxWindow* control = dialog->FindWindow(id);
  ASSERT_NE(control, nullptr) << "no control " << id;
  wxEventType type = wxEVT_BUTTON;
  int value = 0;
  if (auto* check = dynamic_cast<wxCheckBox*>(control)) {
    check->SetValue(!check->GetValue());
    type = wxEVT_CHECKBOX;
    value = check->GetValue();
  } else if (auto* radio = dynamic_cast<wxRadioButton*>(control)) {
    radio->SetValue(true);
    type = wxEVT_RADIOBUTTON;
    value = 1;
  }
  wxCommandEvent event(type, id);
  event.SetEventObject(control);
  event.SetInt(value);
  control->GetEventHandler()->ProcessEvent(event);
}

void DoubleClickLine(wxWindow* dialog, int id, int line) {
  auto* list = Control<wxListBox>(dialog, id);
  ASSERT_NE(list, nullptr);
  list->SetSelection(line);
  wxCommandEvent event(wxEVT_LISTBOX_DCLICK, id);
  event.SetEventObject(list);
  event.SetInt(line);
  list->GetEventHandler()->ProcessEvent(event);
}

int RunModal(wxDialog& dialog, std::function<void()> script) {
  dialog.CallAfter([&dialog, script] {
    script();
    if (dialog.IsModal()) dialog.EndModal(kScriptLeftOpen);
  });
  return dialog.ShowModal();
}

CModalAnswers::CModalAnswers(std::function<bool(wxDialog*)> filter) : m_filter(std::move(filter)) {
  Register();
}

CModalAnswers::~CModalAnswers() { Unregister(); }

int CModalAnswers::Enter(wxDialog* dialog) {
  if (!m_filter(dialog)) return wxID_NONE;
  titles.push_back(dialog->GetTitle());
  if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
    messages.push_back(box->GetMessage());
    styles.push_back(box->GetMessageDialogStyle());
  } else if (auto* chooser = dynamic_cast<wxDirDialogBase*>(dialog)) {
    messages.push_back(chooser->GetMessage());
    styles.push_back(0);
  } else {
    messages.push_back(wxString());
    styles.push_back(0);
  }
  if (answers.empty()) return wxID_CANCEL;
  const int answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

bool IsMessageBox(wxDialog* dialog) { return dynamic_cast<wxMessageDialogBase*>(dialog) != nullptr; }

bool IsFolderChooser(wxDialog* dialog) { return dynamic_cast<wxDirDialogBase*>(dialog) != nullptr; }

namespace {

std::string Describe(const wxWindow* control) {
  std::string text = wxString(control->GetClassInfo()->GetClassName()).utf8_string();
  text += " " + std::to_string(control->GetId());
  if (!control->GetLabel().empty()) text += " \"" + control->GetLabel().utf8_string() + "\"";
  return text;
}

std::string Describe(const wxRect& rect) {
  return "(" + std::to_string(rect.x) + "," + std::to_string(rect.y) + " " +
         std::to_string(rect.width) + "x" + std::to_string(rect.height) + ")";
}

// The size the control's text needs; zero where the template size rules.
wxSize NeededSize(const wxWindow* control) {
  const wxSize best = control->GetBestSize();
  if (dynamic_cast<const wxTextCtrl*>(control) || dynamic_cast<const wxChoice*>(control)) return wxSize(0, best.y);
  if (dynamic_cast<const wxStaticBox*>(control)) return wxSize(best.x, 0);
  if (control->HasFlag(wxST_ELLIPSIZE_END)) return wxSize(0, best.y);
  if (dynamic_cast<const wxControl*>(control) && !control->GetLabel().empty()) return best;
  return wxSize(0, 0);
}

bool Inside(const wxRect& inner, const wxRect& outer) {
  return outer.Contains(inner.GetTopLeft()) && outer.Contains(inner.GetBottomRight());
}

}  // namespace

std::vector<std::string> LayoutFaults(wxWindow* dialog) {
  std::vector<std::string> faults;
  const wxRect client(dialog->GetClientSize());
  std::vector<wxWindow*> controls, groups;
  for (wxWindow* child : dialog->GetChildren()) {
    if (!child->IsShown()) continue;
    (dynamic_cast<const wxStaticBox*>(child) ? groups : controls).push_back(child);
  }
  auto all = controls;
  all.insert(all.end(), groups.begin(), groups.end());
  for (wxWindow* control : all) {
    const wxRect rect = control->GetRect();
    const wxSize needed = NeededSize(control);
    if (needed.x > rect.width || needed.y > rect.height)
      faults.push_back(Describe(control) + " clips its text: needs " + std::to_string(needed.x) + "x" +
                       std::to_string(needed.y) + ", has " + Describe(rect));
    if (!Inside(rect, client))
      faults.push_back(Describe(control) + " " + Describe(rect) + " leaves the client area " +
                       Describe(client));
  }
  for (size_t i = 0; i < controls.size(); ++i)
    for (size_t j = i + 1; j < controls.size(); ++j)
      if (controls[i]->GetRect().Intersects(controls[j]->GetRect()))
        faults.push_back(Describe(controls[i]) + " " + Describe(controls[i]->GetRect()) + " overlaps " +
                         Describe(controls[j]) + " " + Describe(controls[j]->GetRect()));
  for (wxWindow* group : groups)
    for (wxWindow* control : controls) {
      const wxRect rect = control->GetRect();
      const wxRect box = group->GetRect();
      if (!rect.Intersects(box)) continue;
      if (!Inside(rect, box))
        faults.push_back(Describe(control) + " " + Describe(rect) + " crosses the edge of " +
                         Describe(group) + " " + Describe(box));
      else if (rect.y < box.y + group->GetCharHeight())
        faults.push_back(Describe(control) + " " + Describe(rect) + " covers the caption of " +
                         Describe(group) + " " + Describe(box));
    }
  return faults;
}
