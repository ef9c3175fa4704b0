#pragma once
// Fills the program's message formats. Each "%s" or "%lu" takes the next argument (numbers are
// passed already written out); "%%" is a percent sign; anything else is copied as it stands.
// Arguments are never read as formats, so story texts with '%' in them are shown as written.
#include <string>
#include <vector>

std::string FillMessage(const std::string& format, const std::vector<std::string>& arguments);
