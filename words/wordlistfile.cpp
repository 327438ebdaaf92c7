#include "words/wordlistfile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "game/errors.h"

namespace dyx {

namespace {

std::string messageForErrno(int error) {
    switch (error) {
        case ENOENT:
            return "File not found";
        case ENOTDIR:
        case ENAMETOOLONG:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
            return "File access denied";
        default:
            return "I/O error " + std::to_string(error);
    }
}

}  // namespace

WordListLoad loadWordListFile(const std::string& path, CustomWordTable& table) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        throw GameError(messageForErrno(errno));
    }
    WordListLoad load;
    std::string line;
    bool pendingLine = false;
    bool afterCr = false;
    int c = 0;
    while ((c = std::fgetc(file.get())) != EOF && c != 26) {
        if (afterCr && c == '\n') {
            afterCr = false;
            continue;
        }
        afterCr = false;
        if (c == '\r') {
            if (!table.append(std::move(line))) {
                ++load.linesLeftOut;
            }
            line.clear();
            pendingLine = false;
            afterCr = true;
            continue;
        }
        line += static_cast<char>(c);
        pendingLine = true;
    }
    if (std::ferror(file.get())) {
        throw GameError(messageForErrno(errno));
    }
    if (pendingLine && !table.append(std::move(line))) {
        ++load.linesLeftOut;
    }
    return load;
}

}  // namespace dyx
