#pragma once
// How the program compares names ignoring case, as the stories' home system did for every
// letter of its code page: both texts are read as Unicode (valid UTF-8 as UTF-8, any other text
// as Windows-1252, as they are shown), then compared after simple case folding and canonical
// composition (NFC). So "CAFÉ" in Windows-1252 equals "Café" in UTF-8, a name written
// decomposed (NFD) equals its composed form, and "e" stays apart from "é". Texts of ASCII
// characters only fold A-Z and compare as bytes, as they always did.
#include <string>
#include <string_view>

namespace platform {

// The folded form of a text: two texts are equal ignoring case exactly when their folded forms
// are equal byte for byte. The result is UTF-8.
std::string FoldCase(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Whether the folded text begins with the folded prefix.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The order of names ignoring case: by their folded letters with accents set aside, then by the
// folded text, so that "Écume" sorts beside "ecume" and not after "z". Texts equal ignoring case
// compare equal. Negative, zero or positive like strcmp.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// A key whose byte order (as unsigned bytes) is the order of CompareIgnoringCase, for sorting
// many names while folding each only once.
std::string SortKeyIgnoringCase(std::string_view text);

}  // namespace platform
