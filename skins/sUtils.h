// Word helpers of the skinned controls: a text split into words by a set of
// delimiter characters. A word is a maximal run of characters outside the
// set, so runs of delimiters count as one and there are no empty words
// ("1;;2" holds two words). Word numbers count from 1.
#pragma once

#include <string>

namespace skins {

// The delimiter set: every character of the string is a delimiter.
using TCharSet = std::string;

int WordCount(const std::string& text, const TCharSet& delims);
// 1-based index of the first character of word n; 0 when there is none.
int WordPosition(int n, const std::string& text, const TCharSet& delims);
// Word n; empty when there is none.
std::string ExtractWord(int n, const std::string& text, const TCharSet& delims);
// Whether some word of the text equals `word` (case-sensitive).
bool IsWordPresent(const std::string& word, const std::string& text, const TCharSet& delims);

}  // namespace skins
