// Word splitting by a delimiter set, one pass over the text per call.
#include "skins/sUtils.h"

namespace skins {

namespace {

bool IsDelim(char c, const TCharSet& delims) { return delims.find(c) != std::string::npos; }

// Calls each(start, length) for every word in order until it returns false.
template <class Each>
void ForEachWord(const std::string& text, const TCharSet& delims, Each each) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    while (i < n && IsDelim(text[i], delims)) ++i;
    if (i >= n) break;
    const size_t start = i;
    while (i < n && !IsDelim(text[i], delims)) ++i;
    if (!each(start, i - start)) return;
  }
}

}  // namespace

int WordCount(const std::string& text, const TCharSet& delims) {
  int count = 0;
  ForEachWord(text, delims, [&](size_t, size_t) { return ++count, true; });
  return count;
}

int WordPosition(int n, const std::string& text, const TCharSet& delims) {
  int index = 0, position = 0;
  ForEachWord(text, delims, [&](size_t start, size_t) {
    if (++index < n) return true;
    if (index == n) position = static_cast<int>(start) + 1;
    return false;
  });
  return position;
}

std::string ExtractWord(int n, const std::string& text, const TCharSet& delims) {
  int index = 0;
  std::string word;
  ForEachWord(text, delims, [&](size_t start, size_t length) {
    if (++index < n) return true;
    if (index == n) word = text.substr(start, length);
    return false;
  });
  return word;
}

bool IsWordPresent(const std::string& word, const std::string& text, const TCharSet& delims) {
  bool found = false;
  ForEachWord(text, delims, [&](size_t start, size_t length) {
    found = text.compare(start, length, word) == 0;
    return !found;
  });
  return found;
}

}  // namespace skins
