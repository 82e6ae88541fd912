// The skin's tables and lookups.
#include "skins/sSkinDataCore.h"

#include "classlib/SysUtils.h"

namespace skins {

TsSkinBitmap::TsSkinBitmap(int w, int h) : width(w > 0 ? w : 0), height(h > 0 ? h : 0) {
  bits.assign(static_cast<size_t>((width * 3 + 3) & ~3) * height, 0);
}

TPixels TsSkinBitmap::View() const {
  TPixels p;
  if (bits.empty()) return p;
  p.width = width;
  p.height = height;
  p.stride = (width * 3 + 3) & ~3;
  p.bits = const_cast<uint8_t*>(bits.data());
  return p;
}

namespace {

template <class Table>
void FreeFromLast(Table& table) {
  while (!table.empty()) table.pop_back();
}

// The first entry of `table` for `property` in section `section` or, failing
// that, in the sections it inherits from. The walk takes at most as many
// steps as there are sections: a chain that comes back to a section it
// passed (a cycle of two or more) ends there.
template <class Table>
int FindInSections(const Table& table, int section, const std::string& section_name,
                   const std::string& property) {
  if (!SectionValid(section) || section_name.empty()) return -1;
  const TsSkinData& skin = SkinData();
  std::string name = UpperCase(section_name);
  for (size_t step = 0; step <= skin.Sections.size(); ++step) {
    for (size_t i = 0; i < table.size(); ++i)
      if (table[i].property == property && table[i].section == name) return static_cast<int>(i);
    const std::string& parent = skin.Sections[section].parent;
    if (parent.empty() || parent == name) return -1;
    section = SectionIndex(parent);
    if (section < 0) return -1;
    name = skin.Sections[section].name;
  }
  return -1;
}

}  // namespace

void TsSkinData::Clear() {
  FreeFromLast(MaskData);
  FreeFromLast(PatternData);
  FreeFromLast(SkinMenus);
  Sections.clear();
  SkinName.clear();
}

TsSkinData& SkinData() {
  static TsSkinData skin;
  return skin;
}

int SectionIndex(const std::string& name) {
  const TsSkinData& skin = SkinData();
  if (!skin.Active) return -1;
  const std::string upper = UpperCase(name);
  for (size_t i = 0; i < skin.Sections.size(); ++i)
    if (skin.Sections[i].name == upper) return static_cast<int>(i);
  return -1;
}

bool SectionValid(int index) {
  const TsSkinData& skin = SkinData();
  return skin.Active && index >= 0 && static_cast<size_t>(index) < skin.Sections.size();
}

bool MaskValid(int index) {
  const TsSkinData& skin = SkinData();
  return skin.Active && index >= 0 && static_cast<size_t>(index) < skin.MaskData.size();
}

int MaskIndex(int section, const std::string& section_name, const std::string& property) {
  return FindInSections(SkinData().MaskData, section, section_name, property);
}

int PatternIndex(int section, const std::string& section_name, const std::string& property) {
  return FindInSections(SkinData().PatternData, section, section_name, property);
}

}  // namespace skins
