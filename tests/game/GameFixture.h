#pragma once
// A game document over a temporary stories folder and settings file, with a scripted user
// interface. Sound plays into a null device that records what it took, music into a capture
// output that records every message.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/GameDoc.h"
#include "game/StoryLibrary.h"
#include "platform/CaptureMidiOut.h"
#include "platform/MidiOutSystem.h"
#include "platform/NullWaveOut.h"
#include "platform/WaveOutSystem.h"
#include "game/SettingsStore.h"
#include "tests/game/ScriptedUi.h"
#include "tests/game/StoryFolders.h"
#include "tests/support/TestFiles.h"

class GameFixture : public ::testing::Test {
 protected:
  GameFixture()
      : m_store(std::make_unique<CSettingsStore>(m_dir / "Fablewick.conf")),
        m_probe(std::make_shared<platform::NullWaveOutProbe>(true)),
        m_midiLog(std::make_shared<platform::MidiCaptureLog>()),
        m_waveDevices(WaveBackends(m_probe)),
        m_midiDevices(MidiBackends(m_midiLog)) {
    testing_support::MakeFolders(StoriesDir());
    m_store->WriteString(kSettingsSection, "StoriesPath", StoriesDir());
  }

  std::string StoriesDir() const { return m_dir / "Stories"; }
  std::string StoryDir(const std::string& name) const { return StoriesDir() + "/" + name; }

  // The document, made at first use so that tests can prepare settings and stories first.
  CVeskoGameDoc& Doc() {
    if (!m_doc) {
      m_doc = std::make_unique<CVeskoGameDoc>(m_ui, *m_store, m_waveDevices, m_midiDevices);
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

  static std::vector<std::unique_ptr<platform::WaveOutBackend>> WaveBackends(
      std::shared_ptr<platform::NullWaveOutProbe> probe) {
    std::vector<std::unique_ptr<platform::WaveOutBackend>> backends;
    backends.push_back(std::make_unique<platform::NullWaveOut>(probe));
    return backends;
  }
  static std::vector<std::unique_ptr<platform::MidiOutBackend>> MidiBackends(
      std::shared_ptr<platform::MidiCaptureLog> log) {
    std::vector<std::unique_ptr<platform::MidiOutBackend>> backends;
    backends.push_back(std::make_unique<platform::CaptureMidiOut>(log));
    return backends;
  }

  testing_support::TempDir m_dir;
  std::unique_ptr<CSettingsStore> m_store;
  std::shared_ptr<platform::NullWaveOutProbe> m_probe;
  std::shared_ptr<platform::MidiCaptureLog> m_midiLog;
  platform::WaveOutSystem m_waveDevices;
  platform::MidiOutSystem m_midiDevices;
  CScriptedUi m_ui;
  std::unique_ptr<CVeskoGameDoc> m_doc;  // last: it plays on the devices above
};
