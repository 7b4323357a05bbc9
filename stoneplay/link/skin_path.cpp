#include "stoneplay/link/skin_path.h"

#include <deque>

namespace stoneplay {
namespace {

// A deque never moves what it holds, so the returned pointers stay valid as it grows.
std::deque<std::string>& SkinPaths() {
    static std::deque<std::string> paths;
    return paths;
}

}  // namespace

const char* SkinPath(std::string_view hallFolder, std::string_view fileName) {
    std::string path(hallFolder);
    // The older hall writes its folders with backslashes; this platform's separator is '/'.
    path += "go/go_img/";
    path += fileName;
    return SkinPaths().emplace_back(std::move(path)).c_str();
}

size_t SkinPathCount() { return SkinPaths().size(); }

std::string LibraryFileName(std::string_view dllName) {
    constexpr std::string_view kSuffix = ".dll";
    if (dllName.size() <= kSuffix.size() || dllName.substr(dllName.size() - kSuffix.size()) != kSuffix) {
        return std::string(dllName);
    }
    return "lib" + std::string(dllName.substr(0, dllName.size() - kSuffix.size())) + ".so";
}

}  // namespace stoneplay
