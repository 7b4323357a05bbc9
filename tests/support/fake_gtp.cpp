// A scripted Go Text Protocol engine for the tests: fake_gtp SCRIPT [LOG]
//
// Each line of SCRIPT reads "when COMMAND REPLY". The replies of one command are used in the order
// they stand, the last one again and again; a command without a line is answered with an empty
// success. REPLY is one of
//   = TEXT        success; "\n" in TEXT starts another line
//   ? TEXT        failure
//   noid TEXT     success without the command's number
//   wrongid TEXT  success with another number
//   garbage TEXT  a stray line first, then success with TEXT
//   crash         the engine dies
//   crashonce TEXT  the first engine run with this script dies, later ones answer with TEXT
//   hang          the engine never answers again
//   slow N TEXT   success with TEXT after N seconds, as an engine reading a hard position
// Every command line received is appended to LOG.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fake_gtp SCRIPT [LOG]\n");
        return 2;
    }
    std::map<std::string, std::vector<std::string>> replies;
    std::map<std::string, size_t> used;
    std::ifstream script(argv[1]);
    for (std::string line; std::getline(script, line);) {
        std::istringstream words(line);
        std::string when, command;
        if (!(words >> when >> command) || when != "when") continue;
        std::string reply;
        std::getline(words, reply);
        replies[command].push_back(reply.empty() ? reply : reply.substr(1));
    }
    std::ofstream log;
    if (argc > 2) log.open(argv[2], std::ios::app);

    for (std::string line; std::getline(std::cin, line);) {
        if (log.is_open()) log << line << std::endl;
        std::istringstream words(line);
        std::string id, command;
        words >> id;
        if (id.empty()) continue;
        if (id.find_first_not_of("0123456789") != std::string::npos) {
            command = id;
            id.clear();
        } else {
            words >> command;
        }
        if (command == "quit") {
            std::cout << "=" << id << " \n\n" << std::flush;
            return 0;
        }
        std::string reply = "= ";
        if (auto found = replies.find(command); found != replies.end()) {
            size_t& n = used[command];
            reply = found->second[std::min(n, found->second.size() - 1)];
            ++n;
        }
        const std::string kind = reply.substr(0, reply.find(' '));
        const std::string text = reply.find(' ') == std::string::npos ? "" : Unescape(reply.substr(reply.find(' ') + 1));
        if (kind == "crash") std::abort();
        if (kind == "crashonce") {
            const std::string marker = std::string(argv[1]) + ".crashed";
            if (std::FILE* seen = std::fopen(marker.c_str(), "r")) {
                std::fclose(seen);
            } else {
                std::fclose(std::fopen(marker.c_str(), "w"));
                std::abort();
            }
        }
        if (kind == "slow") {
            const size_t space = text.find(' ');
            sleep(static_cast<unsigned>(std::atoi(text.substr(0, space).c_str())));
            std::cout << "=" << id << " " << (space == std::string::npos ? "" : text.substr(space + 1)) << "\n\n";
        }
        if (kind == "hang") {
            for (;;) pause();
        }
        if (kind == "=" || kind == "?" || kind == "crashonce") std::cout << (kind == "?" ? "?" : "=") << id << " " << text << "\n\n";
        if (kind == "noid") std::cout << "= " << text << "\n\n";
        if (kind == "wrongid") std::cout << "=" << (id.empty() ? 9999 : std::stoi(id) + 1000) << " " << text << "\n\n";
        if (kind == "garbage") std::cout << "this is not an answer\n" << "=" << id << " " << text << "\n\n";
        std::cout << std::flush;
    }
    return 0;
}
