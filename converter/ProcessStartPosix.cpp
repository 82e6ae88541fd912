// Starting the encoder natively (tests and benchmarks on Linux): the command
// line is split as Windows splits it, and an unquoted program path with blanks
// is resolved the way Windows resolves it: the shortest run of words that
// names an existing file.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <vector>

#include "converter/FileSystem.h"
#include "converter/MP3_Format.h"
#include "classlib/SysUtils.h"

extern char** environ;

namespace {

// Blanks separate words; double quotes group (and are dropped).
std::vector<std::string> SplitWords(const std::string& line, std::vector<bool>* quoted) {
  std::vector<std::string> words;
  std::string cur;
  bool inQuote = false, have = false, wasQuoted = false;
  for (char c : line) {
    if (c == '"') {
      inQuote = !inQuote;
      have = wasQuoted = true;
    } else if ((c == ' ' || c == '\t') && !inQuote) {
      if (have) {
        words.push_back(cur);
        quoted->push_back(wasQuoted);
      }
      cur.clear();
      have = wasQuoted = false;
    } else {
      cur += c;
      have = true;
    }
  }
  if (have) {
    words.push_back(cur);
    quoted->push_back(wasQuoted);
  }
  return words;
}

class TPosixProcessStarter : public TProcessStarter {
 public:
  uint32_t RunAndWait(const std::string& commandLine, uint32_t) override {
    std::vector<bool> quoted;
    std::vector<std::string> words = SplitWords(commandLine, &quoted);
    if (words.empty()) throw EInOutError("Cannot start an empty command line", 2);
    size_t first = 1;
    std::string program = words[0];
    if (!quoted[0]) {
      std::string probe = words[0];
      for (size_t i = 1; i <= words.size(); ++i) {
        if (IsRegularFile(probe)) {
          program = probe;
          first = i;
          break;
        }
        if (i == words.size()) break;
        probe += " " + words[i];
      }
    }
    std::vector<std::string> args{program};
    args.insert(args.end(), words.begin() + first, words.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
      throw EInOutError("Cannot start " + commandLine, 2);
    int status = 0;
    // Only an interrupted wait is tried again; any other failure (the child
    // reaped elsewhere) would fail the same way for ever.
    while (waitpid(pid, &status, 0) < 0) {
      if (errno != EINTR)
        throw EInOutError(
            "Cannot wait for " + commandLine + " (error " + std::to_string(errno) + ")", errno);
    }
    return WIFEXITED(status) ? static_cast<uint32_t>(WEXITSTATUS(status)) : 255u;
  }

 private:
  static bool IsRegularFile(const std::string& p) { return PathExists(p) && !IsDirectoryPath(p); }
};

} // namespace

TProcessStarter& PlatformProcessStarter() {
  static TPosixProcessStarter starter;
  return starter;
}
