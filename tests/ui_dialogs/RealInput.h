#pragma once
// Driving windows the way the user does: pointer clicks through the display server's test
// extension, the close box as the window manager reports it, and what the screen shows.
#include <functional>

#include <wx/gdicmn.h>
#include <wx/image.h>

class wxWindow;

// Lets the display server and the toolkit deliver what is pending.
void LetEventsArrive();

// Lets events arrive until condition holds or about five seconds pass; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition);

// Moves the pointer to the middle of the window and clicks the left button there.
void ClickOnScreen(wxWindow* window);

// The close box of a top-level window: the message a window manager sends when it is clicked.
void PressCloseBox(wxWindow* window);

// What the screen shows in rect (screen coordinates).
wxImage ScreenImage(const wxRect& rect);
