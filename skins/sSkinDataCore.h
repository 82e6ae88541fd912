// The skin: the tables a loaded skin would fill (its sections with their
// looks, the border masks and patterns named by section and property, the
// menu bitmaps) and the lookups every control makes in them.
//
// No skin loader exists: nothing sets `Active`, so every lookup answers -1
// (or false) and every control paints from its own style. Tests fill the
// tables and set the flag themselves. Section names are kept upper-cased (a
// loader would store them so); lookups upper-case the name they are given.
// A section may name the section it inherits from; the walk up that chain
// takes at most as many steps as there are sections, so a cycle ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Types.h"
#include "skins/Pixels.h"
#include "skins/sConst.h"
#include "skins/sGraphUtilsCore.h"

namespace skins {

// A 24-bit picture that owns its pixels (rows padded to 4 bytes, as a
// device-independent bitmap's).
struct TsSkinBitmap {
  int width = 0, height = 0;
  std::vector<uint8_t> bits;

  TsSkinBitmap() = default;
  TsSkinBitmap(int w, int h);
  TPixels View() const;
};

// An entry of the mask table; `border_kind` goes to the border painter with
// the bitmap.
struct TsMaskData {
  TsSkinBitmap bitmap;
  std::string section, property;
  int border_kind = 0;
};

struct TsPatternData {
  TsSkinBitmap bitmap;
  std::string section, property;
};

struct TsMenuBitmap {
  TsSkinBitmap bitmap;
  bool flag = false;
};

struct TsSectionShadow {
  bool enabled = false;
  TRgb color;
  int transparency = 60, offset = 8, blur = 4;
};

struct TsSectionFading {
  bool enabled = true;
  int iterations = 5, interval_in = 5, interval_out = 5;
};

// What a style getter takes from a section instead of its own property, for
// one state (normal or hot).
struct TsSectionLook {
  TRgb color;
  int transparency = 0;
  TsControlBevel bevel = TsControlBevel::cbRaisedSoft;
  int bevel_width = 1;
  int gradient_percent = 0;
  TsGradientData gradient;
  int image_percent = 0;
  TsSectionShadow shadow;
  TsSectionFading fading;
};

struct TsSkinSection {
  std::string name;    // upper-cased
  std::string parent;  // the section it inherits from (upper-cased; empty: none)
  TsSectionLook normal, hot;
};

// Property names of the lookups.
inline constexpr const char* kBordersMask = "BORDERSMASK";
inline constexpr const char* kImageFile = "IMAGEFILE";
inline constexpr const char* kHotImageFile = "HOTIMAGEFILE";

class TsSkinData {
 public:
  bool Active = false;  // a skin is loaded; never set in this program
  std::vector<TsSkinSection> Sections;
  std::vector<TsMaskData> MaskData;        // the masks table
  std::vector<TsPatternData> PatternData;  // the patterns table
  std::vector<TsMenuBitmap> SkinMenus;     // the menu bitmaps table
  // The upper-cased skin name the styles compare when asked to refresh a
  // section.
  std::string SkinName;

  ~TsSkinData() { Clear(); }
  // Frees every bitmap of the tables, the last entry first, then empties
  // the tables and the name. The flag stays as it is.
  void Clear();
};

// The one skin of the program, made on first use.
TsSkinData& SkinData();

// -1 unless the skin is active; else the section named `name` (any case).
int SectionIndex(const std::string& name);
// The skin is active and the index names a section (mask).
bool SectionValid(int index);
bool MaskValid(int index);
// -1 unless `section` is valid and `section_name` is not empty; else the
// first entry for `property` of that section (by name) or, failing that, of
// the sections it inherits from.
int MaskIndex(int section, const std::string& section_name, const std::string& property);
int PatternIndex(int section, const std::string& section_name, const std::string& property);

// Paints the background of section `section` (named `section_name`) into
// rectangle r of `bitmap` (clipped to it), hot or normal: the section's
// picture tiled, its gradient and colour by their percents, laid over the
// parent's pixels by the section's transparency. `parent` gives the pixels
// under the bitmap, `offset` moves the bitmap within them. Nothing unless
// the section is valid (so nothing in this program).
void PaintSection(int section, const std::string& section_name, const TParentBackground& parent,
                  const TPixels& bitmap, TPoint offset, const TRect& r, bool hot);
// The same, then the section's border mask ("BORDERSMASK") in state `state`
// around r, its centre filled when asked.
void PaintSectionWithBorders(int section, const std::string& section_name,
                             const TParentBackground& parent, const TPixels& bitmap, TPoint offset,
                             const TRect& r, bool hot, int state, bool fill_centre);

}  // namespace skins
