#pragma once

// Where the legacy plug-in finds the files of its skin and the libraries it loads by name.
// Plain C++, no Qt.

#include <string>
#include <string_view>

namespace stoneplay {

// The hall's folder (which ends with its separator) + "go\go_img\" + `fileName`, as the older
// hall lays its skins out. The text is kept in a list that lives as long as the library, so the
// pointer stays valid for every loader that keeps it; nothing is ever removed from the list.
const char* SkinPath(std::string_view hallFolder, std::string_view fileName);
// How many paths the list holds.
size_t SkinPathCount();

// The file of a library named as the older hall names it ("stonemind.dll", "Res.dll") on this
// platform: "libstonemind.so", "libRes.so". A name without ".dll" is taken as it is.
std::string LibraryFileName(std::string_view dllName);

}  // namespace stoneplay
