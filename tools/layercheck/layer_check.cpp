// layer_check: reads every #include line of the sources and fails when an arrow between folders
// runs back up. The rules:
//   - the core (rules/, record/, match/, study/) includes no Qt and nothing above it: rules/ only
//     itself; record/ rules/; match/ and study/ rules/, record/ and match/;
//   - a plug-in's folder (goview/, stoneplay/, matchview/, stonemind/, legacyres/) includes
//     nothing of hall/;
//   - hall/ includes no plug-in's folder;
//   - no two folders include each other, directly or round a longer cycle.
// A folder is the first part of a path, or the first two under hall/, sdk/ and tools/. Tests,
// benchmarks and fuzzers may include anything and are not read.
//   layer_check SOURCE_DIR

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::set<std::string> kSkipped = {"build", "tests", "bench", "fuzz", "packaging", "scripts", "docs"};
const std::set<std::string> kPlugins = {"goview", "stoneplay", "matchview", "stonemind", "legacyres"};
// What each core folder may include besides the standard library.
const std::map<std::string, std::set<std::string>> kCore = {
    {"rules", {"rules"}},
    {"record", {"rules", "record"}},
    {"match", {"rules", "record", "match"}},
    {"study", {"rules", "record", "match", "study"}},
};

std::string FolderOf(const std::string& path) {
    const size_t first = path.find('/');
    if (first == std::string::npos) return {};
    const std::string top = path.substr(0, first);
    if (top == "hall" || top == "sdk" || top == "tools") {
        const size_t second = path.find('/', first + 1);
        if (second != std::string::npos) return path.substr(0, second);
    }
    return top;
}

std::string TopOf(const std::string& folder) { return folder.substr(0, folder.find('/')); }

struct Include {
    std::string file;
    int line;
    std::string target;  // the quoted path, or the angle-bracketed header
    bool angled;
};

// Folders that reach `start` again by their includes, as the first cycle found through it.
bool FindCycle(const std::map<std::string, std::set<std::string>>& edges, const std::string& start,
               std::vector<std::string>& path) {
    std::set<std::string> seen;
    std::function<bool(const std::string&)> walk = [&](const std::string& at) {
        const auto found = edges.find(at);
        if (found == edges.end()) return false;
        for (const std::string& next : found->second) {
            if (next == start) {
                path.push_back(next);
                return true;
            }
            if (!seen.insert(next).second) continue;
            path.push_back(next);
            if (walk(next)) return true;
            path.pop_back();
        }
        return false;
    };
    path = {start};
    return walk(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: layer_check SOURCE_DIR\n";
        return 2;
    }
    const fs::path root = argv[1];
    const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<Include> includes;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relative = fs::relative(it->path(), root).generic_string();
        if (it->is_directory()) {
            if (kSkipped.contains(relative) || relative.starts_with(".")) it.disable_recursion_pending();
            continue;
        }
        const std::string ext = it->path().extension().string();
        if (ext != ".h" && ext != ".cpp" && ext != ".c") continue;
        std::ifstream in(it->path());
        std::string text;
        int number = 0;
        while (std::getline(in, text)) {
            ++number;
            std::smatch m;
            if (std::regex_search(text, m, includeLine)) includes.push_back({relative, number, m[2], m[1] == "<"});
        }
    }

    std::vector<std::string> faults;
    std::map<std::string, std::set<std::string>> edges;
    for (const Include& inc : includes) {
        const std::string from = FolderOf(inc.file);
        const std::string fromTop = TopOf(from);
        const auto where = [&] { return inc.file + ":" + std::to_string(inc.line) + ": "; };
        if (inc.angled) {
            const bool qt = inc.target.starts_with("Q") || inc.target.starts_with("qt");
            if (qt && kCore.contains(fromTop)) faults.push_back(where() + "Qt in the core: <" + inc.target + ">");
            continue;
        }
        const std::string to = FolderOf(inc.target);
        if (to.empty() || !fs::exists(root / inc.target)) continue;  // a generated or a local header
        const std::string toTop = TopOf(to);
        if (const auto core = kCore.find(fromTop); core != kCore.end() && !core->second.contains(toTop)) {
            faults.push_back(where() + fromTop + "/ may not include " + inc.target);
        }
        if (kPlugins.contains(fromTop) && toTop == "hall") {
            faults.push_back(where() + "a plug-in includes the hall: " + inc.target);
        }
        if (fromTop == "hall" && kPlugins.contains(toTop)) {
            faults.push_back(where() + "the hall includes a plug-in: " + inc.target);
        }
        if (from != to) edges[from].insert(to);
    }
    std::set<std::string> reported;
    for (const auto& [folder, targets] : edges) {
        std::vector<std::string> path;
        if (reported.contains(folder) || !FindCycle(edges, folder, path)) continue;
        std::string text = "a cycle of folders:";
        for (const std::string& step : path) {
            text += " " + step;
            reported.insert(step);
        }
        faults.push_back(text);
    }
    for (const std::string& fault : faults) std::cout << fault << "\n";
    if (!faults.empty()) return 1;
    std::cout << includes.size() << " includes read; every arrow between folders points down\n";
    return 0;
}
