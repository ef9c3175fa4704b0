#pragma once
// A game document over a temporary stories folder and settings file, with a scripted user
// interface.
#include <gtest/gtest.h>

#include <memory>

#include "game/GameDoc.h"
#include "game/StoryLibrary.h"
#include "game/SettingsStore.h"
#include "tests/game/ScriptedUi.h"
#include "tests/game/StoryFolders.h"
#include "tests/support/TestFiles.h"

class GameFixture : public ::testing::Test {
 protected:
  GameFixture() : m_store(std::make_unique<CSettingsStore>(m_dir / "Fablewick.conf")) {
    testing_support::MakeFolders(StoriesDir());
    m_store->WriteString(kSettingsSection, "StoriesPath", StoriesDir());
  }

  std::string StoriesDir() const { return m_dir / "Stories"; }
  std::string StoryDir(const std::string& name) const { return StoriesDir() + "/" + name; }

  // The document, made at first use so that tests can prepare settings and stories first.
  CVeskoGameDoc& Doc() {
    if (!m_doc) {
      m_doc = std::make_unique<CVeskoGameDoc>(m_ui, *m_store);
      m_doc->ResetGame();
    }
    return *m_doc;
  }

  // Starts a new game of the story called name and begins play.
  void StartGame(const std::string& name) {
    m_ui.OnSelectStory = ChooseStory(name);
    Doc().NewGame();
    ASSERT_TRUE(Doc().IsTitlePage()) << "the story " << name << " did not start";
    Doc().BeginPlay();
  }

  std::string Saved(const std::string& name) { return m_store->ReadString(kSettingsSection, name, ""); }

  testing_support::TempDir m_dir;
  std::unique_ptr<CSettingsStore> m_store;
  CScriptedUi m_ui;
  std::unique_ptr<CVeskoGameDoc> m_doc;
};
