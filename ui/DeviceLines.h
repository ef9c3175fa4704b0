#pragma once
// The lines of the Options dialog's device lists and which of them is selected when it opens.
// No windowing library here: the dialog shows what these rules give.
#include <string>
#include <vector>

#include "audio/DeviceEntry.h"

// The entries in the order the sorted drop-down list shows them: by name ignoring letter case,
// equal names in list order.
std::vector<CDeviceEntry> SortDeviceLines(const std::vector<CDeviceEntry>& devices);

// The line to select for a stored device name: with a name, the first line that begins with it
// ignoring case; without one, the line of the default entry. Line 0 when none was found; -1 when
// there are no lines.
int ChooseDeviceLine(const std::vector<CDeviceEntry>& lines, const std::string& storedName);
