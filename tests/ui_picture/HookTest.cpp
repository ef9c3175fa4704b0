// Window hooks: the chain order, unhooking in any order and on window destruction, the event
// being handled during nested events, and the palette handler's answers and trace lines.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/panel.h>

#include <string>
#include <vector>

#include "ui/MsgHookMap.h"
#include "ui/PalMsgHandler.h"
#include "picture/Palette.h"

namespace {

const wxEventTypeTag<wxCommandEvent> kProbeEvent(wxNewEventType());

wxCommandEvent Probe(wxWindow* window, int value = 0) {
  wxCommandEvent event(kProbeEvent, window->GetId());
  event.SetEventObject(window);
  event.SetInt(value);
  return event;
}

// A hook that records what it sees and may swallow the probe events.
class RecordingHook : public CMsgHook {
 public:
  RecordingHook(std::vector<std::string>& log, std::string name) : m_log(log), m_name(std::move(name)) {}
  bool WindowProc(wxEvent& event) override {
    if (event.GetEventType() == kProbeEvent) {
      m_log.push_back(m_name);
      if (m_swallow) return true;
    }
    return CMsgHook::WindowProc(event);
  }
  bool m_swallow = false;

 private:
  std::vector<std::string>& m_log;
  std::string m_name;
};

// Collects the palette handler's trace lines.
class TraceLog : public wxLog {
 public:
  TraceLog() : m_previous(wxLog::SetActiveTarget(this)) { wxLog::AddTraceMask(CPalMsgHandler::kTraceMask); }
  ~TraceLog() override {
    wxLog::RemoveTraceMask(CPalMsgHandler::kTraceMask);
    wxLog::SetActiveTarget(m_previous);
  }
  std::vector<std::string> lines;

 protected:
  void DoLogRecord(wxLogLevel, const wxString& text, const wxLogRecordInfo&) override {
    // wxWidgets puts the trace mask in front of the line.
    std::string line = text.ToStdString();
    const std::string prefix = std::string("(") + CPalMsgHandler::kTraceMask + ") ";
    if (line.rfind(prefix, 0) == 0) line.erase(0, prefix.size());
    lines.push_back(line);
  }

 private:
  wxLog* m_previous;
};

// A window that counts repaint requests without erasing.
class CountingPanel : public wxPanel {
 public:
  using wxPanel::wxPanel;
  void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override {
    if (!eraseBackground && !rect) ++refreshes;
    wxPanel::Refresh(eraseBackground, rect);
  }
  int refreshes = 0;
};

// A palette handler on a display where realizing changes a given number of colours.
class ChangingHandler : public CPalMsgHandler {
 public:
  int changes = 0;

 protected:
  int RealizeForWindow(const CPalette&, bool) override { return changes; }
};

// Fails the test on any toolkit assertion (such as a window destroyed with handlers pushed).
class AssertGuard {
 public:
  AssertGuard() { m_previous = wxSetAssertHandler(&AssertGuard::OnAssert); }
  ~AssertGuard() { wxSetAssertHandler(m_previous); }

 private:
  static void OnAssert(const wxString& file, int line, const wxString&, const wxString& cond, const wxString& msg) {
    ADD_FAILURE() << "wx assertion " << cond << " (" << msg << ") at " << file << ":" << line;
  }
  wxAssertHandler_t m_previous;
};

class HookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_frame = new wxFrame(nullptr, wxID_ANY, "hooks", wxDefaultPosition, wxSize(200, 150));
    m_panel = new CountingPanel(m_frame, wxID_ANY);
    m_child = new wxPanel(m_panel, wxID_ANY);
    m_grandchild = new wxPanel(m_child, wxID_ANY);
    m_frame->Show();
  }
  void TearDown() override {
    if (m_frame) m_frame->Destroy();
    wxTheApp->ProcessIdle();
  }
  // The window's own handling of probe events, recorded in the log.
  void RecordOwn(wxWindow* window, const std::string& name) {
    window->Bind(kProbeEvent, [this, name](wxCommandEvent&) { m_log.push_back(name); });
  }
  bool Send(wxWindow* window, wxEvent& event) { return window->GetEventHandler()->ProcessEvent(event); }

  AssertGuard m_guard;
  std::vector<std::string> m_log;
  wxFrame* m_frame = nullptr;
  CountingPanel* m_panel = nullptr;
  wxPanel* m_child = nullptr;
  wxPanel* m_grandchild = nullptr;
};

}  // namespace

TEST_F(HookTest, NewestHookSeesEventsFirstThenOlderOnesThenTheWindow) {
  RecordOwn(m_panel, "window");
  RecordingHook first(m_log, "first"), second(m_log, "second");
  EXPECT_TRUE(first.HookWindow(m_panel));
  EXPECT_TRUE(second.HookWindow(m_panel));
  EXPECT_TRUE(first.IsHooked());
  EXPECT_EQ(CMsgHookMap::GetInstance().Lookup(m_panel), &second);
  wxCommandEvent event = Probe(m_panel);
  EXPECT_TRUE(Send(m_panel, event));
  EXPECT_EQ(m_log, (std::vector<std::string>{"second", "first", "window"}));

  m_log.clear();
  second.m_swallow = true;
  wxCommandEvent swallowed = Probe(m_panel);
  EXPECT_TRUE(Send(m_panel, swallowed));
  EXPECT_EQ(m_log, (std::vector<std::string>{"second"}));
}

TEST_F(HookTest, UnhookingFromTheMiddleOrTheHeadKeepsTheRestOfTheChain) {
  RecordOwn(m_panel, "window");
  RecordingHook a(m_log, "a"), b(m_log, "b"), c(m_log, "c");
  a.HookWindow(m_panel);
  b.HookWindow(m_panel);
  c.HookWindow(m_panel);
  b.HookWindow(nullptr);
  EXPECT_FALSE(b.IsHooked());
  wxCommandEvent e1 = Probe(m_panel);
  Send(m_panel, e1);
  EXPECT_EQ(m_log, (std::vector<std::string>{"c", "a", "window"}));
  c.HookWindow(nullptr);
  m_log.clear();
  wxCommandEvent e2 = Probe(m_panel);
  Send(m_panel, e2);
  EXPECT_EQ(m_log, (std::vector<std::string>{"a", "window"}));
  a.HookWindow(nullptr);
  EXPECT_EQ(CMsgHookMap::GetInstance().Lookup(m_panel), nullptr);
  EXPECT_EQ(m_panel->GetEventHandler(), m_panel) << "the window's own handling is back in place";
  m_log.clear();
  wxCommandEvent e3 = Probe(m_panel);
  Send(m_panel, e3);
  EXPECT_EQ(m_log, (std::vector<std::string>{"window"}));
}

TEST_F(HookTest, DestroyingAWindowUnhooksEveryHookBeforeTheWindowHearsOfIt) {
  RecordingHook a(m_log, "a"), b(m_log, "b");
  a.HookWindow(m_child);
  b.HookWindow(m_child);
  bool hookedWhenWindowHeard = true;
  m_child->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == m_child) hookedWhenWindowHeard = a.IsHooked() || b.IsHooked();
    event.Skip();
  });
  delete m_child;  // its grandchild goes with it
  m_child = nullptr;
  EXPECT_FALSE(hookedWhenWindowHeard);
  EXPECT_FALSE(a.IsHooked());
  EXPECT_FALSE(b.IsHooked());
  EXPECT_TRUE(CMsgHookMap::GetInstance().IsEmpty());
}

TEST_F(HookTest, HookDestroyedFirstLeavesItsWindow) {
  {
    RecordingHook hook(m_log, "gone");
    hook.HookWindow(m_panel);
  }
  EXPECT_EQ(m_panel->GetEventHandler(), m_panel);
  EXPECT_TRUE(CMsgHookMap::GetInstance().IsEmpty());
}

// A hook whose handling sends another event before passing its own on with Default.
class NestingHook : public CMsgHook {
 public:
  std::vector<int>& seen;
  explicit NestingHook(std::vector<int>& s) : seen(s) {}
  bool WindowProc(wxEvent& event) override {
    if (event.GetEventType() == kProbeEvent) {
      auto& command = static_cast<wxCommandEvent&>(event);
      if (command.GetInt() == 1) {
        wxCommandEvent nested = Probe(GetHookedWindow(), 2);
        GetHookedWindow()->GetEventHandler()->ProcessEvent(nested);
      }
      return Default();
    }
    return CMsgHook::WindowProc(event);
  }
};

TEST_F(HookTest, DefaultPassesOnTheEventBeingHandledAfterNestedOnes) {
  std::vector<int> seen;
  m_panel->Bind(kProbeEvent, [&](wxCommandEvent& event) { seen.push_back(event.GetInt()); });
  NestingHook hook(seen);
  hook.HookWindow(m_panel);
  wxCommandEvent outer = Probe(m_panel, 1);
  Send(m_panel, outer);
  EXPECT_EQ(seen, (std::vector<int>{2, 1}));
}

TEST_F(HookTest, PaletteChangeByTheHookedWindowItselfIsIgnored) {
  TraceLog trace;
  CPalette palette;
  palette.CreateHalftonePalette();
  CPalMsgHandler handler;
  handler.SetPalette(&palette);
  handler.HookWindow(m_frame);
  wxPaletteChangedEvent event(m_frame->GetId());
  event.SetChangedWindow(m_frame);
  EXPECT_TRUE(Send(m_frame, event));
  EXPECT_EQ(trace.lines, (std::vector<std::string>{"CPalMsgHandler::OnPaletteChanged for wxFrame [from wxFrame]",
                                                   "[It's me, don't realize palette.]"}));
}

TEST_F(HookTest, TopLevelHandlerPassesUnrealizedPaletteChangesToAllDescendants) {
  TraceLog trace;
  CPalette palette;
  palette.CreateHalftonePalette();
  CPalMsgHandler handler;
  handler.SetPalette(&palette);
  handler.HookWindow(m_frame);
  std::vector<wxWindow*> reached;
  for (wxWindow* window : {static_cast<wxWindow*>(m_panel), static_cast<wxWindow*>(m_child), static_cast<wxWindow*>(m_grandchild)})
    window->Bind(wxEVT_PALETTE_CHANGED, [&reached, window](wxPaletteChangedEvent& e) {
      if (e.GetChangedWindow() == nullptr) reached.push_back(window);
    });
  bool frameSawIt = false;
  m_frame->Bind(wxEVT_PALETTE_CHANGED, [&](wxPaletteChangedEvent&) { frameSawIt = true; });
  wxPaletteChangedEvent event(m_frame->GetId());
  EXPECT_TRUE(Send(m_frame, event));
  EXPECT_EQ(reached, (std::vector<wxWindow*>{m_panel, m_child, m_grandchild}));
  EXPECT_FALSE(frameSawIt) << "palette notices do not reach the hooked window itself";
  EXPECT_EQ(trace.lines, (std::vector<std::string>{"CPalMsgHandler::OnPaletteChanged for wxFrame [from none]",
                                                   "CPalMsgHandler::DoRealizePalette(background) for wxFrame",
                                                   "[0 colors changed]"}));
}

TEST_F(HookTest, HandlerWithoutPaletteOnlyForwards) {
  TraceLog trace;
  CPalMsgHandler handler;
  handler.HookWindow(m_frame);
  int reached = 0;
  m_grandchild->Bind(wxEVT_PALETTE_CHANGED, [&](wxPaletteChangedEvent&) { ++reached; });
  wxPaletteChangedEvent event(m_frame->GetId());
  event.SetChangedWindow(m_child);
  Send(m_frame, event);
  EXPECT_EQ(reached, 1);
  EXPECT_EQ(handler.DoRealizePalette(true), 0);
  EXPECT_EQ(trace.lines, (std::vector<std::string>{"CPalMsgHandler::OnPaletteChanged for wxFrame [from wxPanel]"}));
}

TEST_F(HookTest, RealizedColoursRepaintTheWindowAndStopForwarding) {
  TraceLog trace;
  CPalette palette;
  palette.CreateHalftonePalette();
  ChangingHandler handler;
  handler.changes = 5;
  handler.SetPalette(&palette);
  handler.HookWindow(m_panel);
  EXPECT_EQ(handler.DoRealizePalette(true), 5);
  EXPECT_EQ(m_panel->refreshes, 1);
  EXPECT_EQ(trace.lines.back(), "[5 colors changed]");

  // A child window never forwards, whatever it realized.
  handler.changes = 0;
  int reached = 0;
  m_child->Bind(wxEVT_PALETTE_CHANGED, [&](wxPaletteChangedEvent&) { ++reached; });
  wxPaletteChangedEvent event(m_panel->GetId());
  event.SetChangedWindow(m_frame);
  Send(m_panel, event);
  EXPECT_EQ(reached, 0);
  EXPECT_EQ(m_panel->refreshes, 1);
}

TEST_F(HookTest, QueryNewPaletteAnswersTrueAndAsksTheFramesActiveView) {
  TraceLog trace;
  CPalette palette;
  palette.CreateHalftonePalette();
  CPalMsgHandler frameHandler;
  frameHandler.HookWindow(m_frame);
  int viewAsked = 0, frameAsked = 0;
  m_panel->Bind(wxEVT_QUERY_NEW_PALETTE, [&](wxQueryNewPaletteEvent&) { ++viewAsked; });
  m_frame->Bind(wxEVT_QUERY_NEW_PALETTE, [&](wxQueryNewPaletteEvent&) { ++frameAsked; });
  wxQueryNewPaletteEvent query(m_frame->GetId());
  EXPECT_TRUE(Send(m_frame, query));
  EXPECT_TRUE(query.GetPaletteRealized());
  EXPECT_EQ(viewAsked, 1);
  EXPECT_EQ(frameAsked, 0);
  EXPECT_EQ(trace.lines.front(), "CPalMsgHandler::OnQueryNewPalette for wxFrame");

  // The view's own handler realizes its palette and answers for itself.
  CPalMsgHandler viewHandler;
  viewHandler.SetPalette(&palette);
  viewHandler.HookWindow(m_panel);
  trace.lines.clear();
  wxQueryNewPaletteEvent again(m_frame->GetId());
  Send(m_frame, again);
  EXPECT_EQ(viewAsked, 1) << "the view's hook takes the question";
  EXPECT_EQ(trace.lines, (std::vector<std::string>{"CPalMsgHandler::OnQueryNewPalette for wxFrame",
                                                   "CPalMsgHandler::OnQueryNewPalette for wxPanel",
                                                   "CPalMsgHandler::DoRealizePalette(foreground) for wxPanel",
                                                   "[0 colors changed]"}));
}

TEST_F(HookTest, FocusRealizesInTheForegroundAndReachesTheWindow) {
  TraceLog trace;
  CPalette palette;
  palette.CreateHalftonePalette();
  CPalMsgHandler handler;
  handler.SetPalette(&palette);
  handler.HookWindow(m_panel);
  wxWindow* previous = reinterpret_cast<wxWindow*>(1);
  m_panel->Bind(wxEVT_SET_FOCUS, [&](wxFocusEvent& event) { previous = event.GetWindow(); });
  wxFocusEvent focus(wxEVT_SET_FOCUS, m_panel->GetId());
  focus.SetWindow(m_child);
  focus.SetEventObject(m_panel);
  Send(m_panel, focus);
  EXPECT_EQ(previous, m_child);
  EXPECT_EQ(trace.lines, (std::vector<std::string>{"CPalMsgHandler::OnSetFocus for wxPanel",
                                                   "CPalMsgHandler::DoRealizePalette(foreground) for wxPanel",
                                                   "[0 colors changed]"}));
}
