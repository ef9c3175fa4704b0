#include "ui/GameDocHandler.h"

#include "game/GameDoc.h"
#include "res/CommandIds.h"

CGameDocHandler::CGameDocHandler(CVeskoGameDoc& doc) : m_doc(doc) {
  Bind(wxEVT_MENU, &CGameDocHandler::OnNewGame, this, res::ID_GAME_NEW);
  Bind(wxEVT_MENU, &CGameDocHandler::OnLoadSavedGame, this, res::ID_FILE_OPEN);
  Bind(wxEVT_MENU, &CGameDocHandler::OnSaveGame, this, res::ID_FILE_SAVE);
  Bind(wxEVT_MENU, &CGameDocHandler::OnListUnusedResources, this, res::ID_GAME_LIST_UNUSED);
  Bind(wxEVT_MENU, &CGameDocHandler::OnOptions, this, res::ID_GAME_OPTIONS);
  Bind(wxEVT_UPDATE_UI, &CGameDocHandler::OnUpdateLoadSavedGame, this, res::ID_FILE_OPEN);
  Bind(wxEVT_UPDATE_UI, &CGameDocHandler::OnUpdateNeedsStory, this, res::ID_FILE_SAVE);
  Bind(wxEVT_UPDATE_UI, &CGameDocHandler::OnUpdateListUnused, this, res::ID_GAME_LIST_UNUSED);
  Bind(wxEVT_MENU, &CGameDocHandler::OnReloadStory, this, res::ID_GAME_RELOAD);
  Bind(wxEVT_UPDATE_UI, &CGameDocHandler::OnUpdateReloadStory, this, res::ID_GAME_RELOAD);
}

void CGameDocHandler::OnNewGame(wxCommandEvent&) { m_doc.NewGame(); }
void CGameDocHandler::OnLoadSavedGame(wxCommandEvent&) { m_doc.LoadSavedGame(); }
void CGameDocHandler::OnSaveGame(wxCommandEvent&) { m_doc.SaveGame(); }
void CGameDocHandler::OnListUnusedResources(wxCommandEvent&) { m_doc.ListUnusedResources(); }
void CGameDocHandler::OnOptions(wxCommandEvent&) { m_doc.ShowOptions(); }
void CGameDocHandler::OnReloadStory(wxCommandEvent&) { m_doc.ReloadStory(); }
void CGameDocHandler::OnUpdateReloadStory(wxUpdateUIEvent& event) { event.Enable(m_doc.CanReloadStory()); }
void CGameDocHandler::OnUpdateLoadSavedGame(wxUpdateUIEvent& event) { event.Enable(m_doc.CanLoadSavedGame()); }
void CGameDocHandler::OnUpdateNeedsStory(wxUpdateUIEvent& event) { event.Enable(m_doc.HasStory()); }
void CGameDocHandler::OnUpdateListUnused(wxUpdateUIEvent& event) { event.Enable(m_doc.CanListUnusedResources()); }
