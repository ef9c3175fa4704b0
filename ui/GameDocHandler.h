#pragma once
// The game document's part of the command route: carries out the Game menu commands that
// belong to the document and says when they can run.
#include <wx/event.h>

class CVeskoGameDoc;

class CGameDocHandler : public wxEvtHandler {
 public:
  explicit CGameDocHandler(CVeskoGameDoc& doc);

 private:
  void OnNewGame(wxCommandEvent& event);
  void OnLoadSavedGame(wxCommandEvent& event);
  void OnSaveGame(wxCommandEvent& event);
  void OnListUnusedResources(wxCommandEvent& event);
  void OnOptions(wxCommandEvent& event);
  void OnReloadStory(wxCommandEvent& event);
  void OnUpdateReloadStory(wxUpdateUIEvent& event);
  void OnUpdateLoadSavedGame(wxUpdateUIEvent& event);
  void OnUpdateNeedsStory(wxUpdateUIEvent& event);
  void OnUpdateListUnused(wxUpdateUIEvent& event);

  CVeskoGameDoc& m_doc;
};
