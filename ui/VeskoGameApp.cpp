#include "ui/VeskoGameApp.h"

#include <wx/cmdline.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/mstream.h>

#include "game/GameDoc.h"
#include "game/SettingsStore.h"
#include "platform/FileSystem.h"
#include "res/CommandIds.h"
#include "res/Resources.h"
#include "ui/AboutDlg.h"
#include "ui/CommandLine.h"
#include "ui/GameDocHandler.h"
#include "ui/GameUi.h"
#include "ui/MainFrame.h"
#include "ui/StoryWatcher.h"
#include "ui/VeskoGameView.h"

namespace {

constexpr unsigned kIconId = 128;

bool IsMouseEvent(const wxEvent& event) {
  const wxEventType type = event.GetEventType();
  return type == wxEVT_MOTION || type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_UP || type == wxEVT_LEFT_DCLICK ||
         type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_UP || type == wxEVT_RIGHT_DOWN || type == wxEVT_RIGHT_UP ||
         type == wxEVT_ENTER_WINDOW || type == wxEVT_LEAVE_WINDOW || type == wxEVT_MOUSEWHEEL;
}

}  // namespace

CVeskoGameApp::CVeskoGameApp() {
  SetVendorName("Tallowmere");
  SetAppName("Fablewick");
  Bind(wxEVT_MENU, &CVeskoGameApp::OnFileNew, this, res::ID_FILE_NEW);
  Bind(wxEVT_MENU, &CVeskoGameApp::OnAppAbout, this, res::ID_APP_ABOUT);
  Bind(wxEVT_MENU, &CVeskoGameApp::OnAppExit, this, res::ID_APP_EXIT);
  Bind(wxEVT_IDLE, &CVeskoGameApp::OnIdle, this);
}

CVeskoGameApp::~CVeskoGameApp() = default;

bool CVeskoGameApp::OnInit() {
  if (!wxApp::OnInit()) return false;
  wxInitAllImageHandlers();
  if (!StartUp(CSettingsStore::OpenUserStore())) return false;
  if (!m_startupStory.empty()) {
    // Once the frame is up, so that any message or error list has its parent.
    const std::string story = m_startupStory;
    CallAfter([this, story] { OpenStartupStory(story); });
  }
  return true;
}

void CVeskoGameApp::OnInitCmdLine(wxCmdLineParser& parser) { DescribeCommandLine(parser); }

bool CVeskoGameApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (parser.GetParamCount() > 0) m_startupStory = parser.GetParam(0).utf8_string();
  wxString scene;
  if (parser.Found("scene", &scene)) m_startupScene = scene.utf8_string();
  return true;
}

bool CVeskoGameApp::OpenStartupStory(const std::string& path) {
  if (!m_doc) return false;
  if (!m_startupScene.empty()) return m_doc->OpenStoryAtScene(path, m_startupScene);
  return m_doc->OpenStoryPath(path);
}

int CVeskoGameApp::OnExit() {
  ShutDown();
  return wxApp::OnExit();
}

bool CVeskoGameApp::StartUp(std::unique_ptr<CSettingsStore> store, std::unique_ptr<CGameUi> ui) {
  m_store = std::move(store);
  m_ui = ui ? std::move(ui) : std::make_unique<CGameUi>();
  m_doc = std::make_unique<CVeskoGameDoc>(*m_ui, *m_store);
  m_docHandler = std::make_unique<CGameDocHandler>(*m_doc);
  m_watcher = std::make_unique<CStoryWatcher>([this] { ReloadChangedStory(); });
  m_doc->ResetGame();

  m_frame = new CMainFrame(*m_store, *m_doc, *m_docHandler);
  m_view = new CVeskoGameView(m_frame, *m_doc, &m_mouseOver);
  m_frame->SetView(m_view);
  m_frame->Bind(wxEVT_DESTROY, &CVeskoGameApp::OnFrameDestroyed, this);
  m_ui->Attach(m_frame, m_view);
  SetTopWindow(m_frame);
  SetWindowIcon();
  m_frame->Show();
  m_view->OnInitialUpdate();
  return true;
}

void CVeskoGameApp::ShutDown() {
  if (m_ui) m_ui->Detach();
  m_frame = nullptr;
  m_view = nullptr;
  m_watcher.reset();
  m_docHandler.reset();
  m_doc.reset();
  m_ui.reset();
  m_store.reset();
}

int CVeskoGameApp::FilterEvent(wxEvent& event) {
  if (!m_mouseOver.Records().empty() && IsMouseEvent(event)) {
    if (auto* window = wxDynamicCast(event.GetEventObject(), wxWindow)) {
      const wxPoint screenPoint = window->ClientToScreen(static_cast<wxMouseEvent&>(event).GetPosition());
      m_mouseOver.Track(WindowFromPoint(screenPoint), screenPoint);
    }
  }
  return wxApp::FilterEvent(event);
}

wxEvtHandler* CVeskoGameApp::GetDocHandler() const { return m_docHandler.get(); }

// Ctrl+N: back to the start page in place; the one game document stays.
void CVeskoGameApp::OnFileNew(wxCommandEvent&) {
  if (!m_doc) return;
  m_doc->ResetGame();
  if (m_view) m_view->OnInitialUpdate();
}

void CVeskoGameApp::OnAppAbout(wxCommandEvent&) {
  if (m_store) ShowAboutBoxes(m_frame, *m_store);
}

void CVeskoGameApp::OnAppExit(wxCommandEvent&) {
  if (m_frame) m_frame->Close();
}

void CVeskoGameApp::OnFrameDestroyed(wxWindowDestroyEvent& event) {
  event.Skip();
  if (event.GetEventObject() != m_frame) return;
  if (m_ui) m_ui->Detach();
  m_frame = nullptr;
  m_view = nullptr;
}

namespace {

// The folders whose changes reload the story: its own and its media folders, those that exist.
std::set<std::string> StoryFolders(const CGameFile& story) {
  std::set<std::string> folders;
  for (std::string path : {story.ImagePath("x"), story.SoundPath("x"), story.MusicPath("x")}) {
    path.pop_back();  // the folder, with its separator
    std::string folder = platform::GetFullPath(platform::ResolvePath(path.empty() ? "." : path));
    if (platform::FolderExists(folder)) folders.insert(folder);
  }
  return folders;
}

}  // namespace

void CVeskoGameApp::OnIdle(wxIdleEvent& event) {
  event.Skip();
  if (!m_watcher || !m_doc) return;
  // The folders are looked for again only when the story or its folder values change.
  const CGameFile& story = m_doc->Story();
  const bool watching = m_doc->Settings().ReloadOnChange != 0 && m_doc->CanReloadStory();
  const std::string key = watching ? story.Path() + '\n' + story.Setup().ImageDir.Text + '\n' +
                                         story.Setup().SoundDir.Text + '\n' + story.Setup().MusicDir.Text
                                   : std::string();
  if (key == m_watchedStory) return;
  if (m_watcher->Watch(watching ? StoryFolders(story) : std::set<std::string>())) m_watchedStory = key;
}

void CVeskoGameApp::ReloadChangedStory() {
  // A reload that lists errors waits in the errors window; changes meanwhile do not nest.
  if (!m_doc || m_reloading) return;
  m_reloading = true;
  m_doc->ReloadStory();
  m_reloading = false;
}

void CVeskoGameApp::SetWindowIcon() {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!res::FindResource(res::ResourceType::RawData, kIconId, data, size)) return;
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxMemoryInputStream stream(data, size);
  wxImage image;
  if (!image.LoadFile(stream, wxBITMAP_TYPE_PNG)) return;
  wxIcon icon;
  icon.CopyFromBitmap(wxBitmap(image));
  m_frame->SetIcon(icon);
}
