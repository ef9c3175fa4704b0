#pragma once
// The program's user-visible texts, loaded by id.
#include <string>

namespace res {

// Sets text to the string with the given id and returns true; false when there is none.
bool LoadString(unsigned id, std::string& text);

// The string with the given id, or fallback when there is none.
std::string LoadStringOr(unsigned id, const std::string& fallback);

}  // namespace res
