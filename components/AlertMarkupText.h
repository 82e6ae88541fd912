// Inside the markup renderer: the text after entities are decoded, with each
// byte marked as markup (may start or end a tag, or break a line) or literal
// (came from an entity: shown as it is), and the small readers of tags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace markup {

struct MarkupText {
  std::string Bytes;
  std::vector<std::uint8_t> Literal; // 1: from an entity, never structural

  size_t Size() const { return Bytes.size(); }
  // Byte i is the markup character c (not one an entity gave).
  bool Is(size_t i, char c) const { return i < Bytes.size() && Bytes[i] == c && !Literal[i]; }
  // First markup c in [from, to), or `to`.
  size_t Find(char c, size_t from, size_t to) const;
  void Push(char c, bool literal) {
    Bytes.push_back(c);
    Literal.push_back(literal ? 1 : 0);
  }
};

// Entities decoded once (the nine named ones, "&nbsp;", "&lt;", "&gt;"),
// then the first "<#" loses its "<" and the ">" after it, CR becomes a line
// break tag and LF goes.
MarkupText PrepareMarkup(const std::string& text);

// The run [b, e) as the platform's text drawing takes it ("&&" for a
// literal ampersand), and as it is shown (an ampersand prefix resolved).
std::string DrawableRun(const MarkupText& t, size_t b, size_t e);
void AppendShown(const MarkupText& t, size_t b, size_t e, std::string& out);

// A tag: the bytes [B, E) of the text from "<" up to (not including) its ">".
struct Tag {
  const MarkupText* T = nullptr;
  size_t B = 0, E = 0;
  size_t Length() const { return E - B; }
  // Upper-cased ASCII letter at offset i of the tag; ">" at its closing
  // bracket, 0 past it.
  char Up(size_t i) const;
  // Position of name (ASCII case folded) inside the tag, or E.
  size_t FindNoCase(const std::string& name, size_t from) const;
  // Position of the attribute called name (a whole word after a blank), or E.
  size_t FindAttr(const std::string& name) const;
  bool Has(const std::string& name) const { return FindAttr(name) != E; }
  // The text between the two quotes after name; empty when absent.
  std::string Attr(const std::string& name) const;
  // The first quoted string of the tag.
  std::string FirstQuoted(size_t from) const;
  // The number after name, "=" and an optional quote (saturated, 0 if none).
  int Number(const std::string& name) const;
};

} // namespace markup
