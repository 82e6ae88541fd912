// The skin's lookups: nothing is found while no skin is active (always, in
// the program); with tables filled by hand, names match in any case, masks
// and patterns are found through the sections a section inherits from, and
// a chain of sections that comes back on itself ends.
#include <gtest/gtest.h>

#include "skins/sSkinDataCore.h"

namespace {

class SkinData : public testing::Test {
 protected:
  skins::TsSkinData& skin = skins::SkinData();
  void TearDown() override {
    skin.Clear();
    skin.Active = false;
  }
  void AddSection(const std::string& name, const std::string& parent) {
    skins::TsSkinSection s;
    s.name = name;
    s.parent = parent;
    skin.Sections.push_back(s);
  }
  void AddMask(const std::string& section, const std::string& property) {
    skins::TsMaskData m;
    m.bitmap = skins::TsSkinBitmap(9, 6);
    m.section = section;
    m.property = property;
    skin.MaskData.push_back(std::move(m));
  }
};

}  // namespace

TEST_F(SkinData, EveryLookupAnswersNotFoundWithoutAnActiveSkin) {
  EXPECT_EQ(skins::SectionIndex("TsButton"), -1);
  AddSection("TSBUTTON", "");
  AddMask("TSBUTTON", skins::kBordersMask);
  EXPECT_EQ(skins::SectionIndex("TsButton"), -1);
  EXPECT_FALSE(skins::SectionValid(0));
  EXPECT_FALSE(skins::MaskValid(0));
  EXPECT_EQ(skins::MaskIndex(0, "TsButton", skins::kBordersMask), -1);
  EXPECT_EQ(skins::PatternIndex(0, "TsButton", skins::kImageFile), -1);
  EXPECT_EQ(&skins::SkinData(), &skin) << "one skin for the program";
}

TEST_F(SkinData, LookupsInFilledTables) {
  skin.Active = true;
  AddSection("TSPANEL", "");
  AddSection("TSBUTTON", "TSPANEL");
  AddMask("TSPANEL", skins::kBordersMask);
  AddMask("TSBUTTON", "SLIDERMASK");
  skins::TsPatternData p;
  p.section = "TSPANEL";
  p.property = skins::kImageFile;
  skin.PatternData.push_back(std::move(p));

  EXPECT_EQ(skins::SectionIndex("tsbutton"), 1);
  EXPECT_EQ(skins::SectionIndex("TsNothing"), -1);
  EXPECT_TRUE(skins::SectionValid(1));
  EXPECT_FALSE(skins::SectionValid(2));
  EXPECT_FALSE(skins::SectionValid(-1));
  EXPECT_TRUE(skins::MaskValid(1));
  EXPECT_FALSE(skins::MaskValid(2));
  EXPECT_EQ(skins::MaskIndex(1, "TsButton", "SLIDERMASK"), 1);
  // Not the button's own: found in the panel it inherits from.
  EXPECT_EQ(skins::MaskIndex(1, "TsButton", skins::kBordersMask), 0);
  EXPECT_EQ(skins::PatternIndex(1, "TsButton", skins::kImageFile), 0);
  EXPECT_EQ(skins::MaskIndex(0, "TsPanel", "SLIDERMASK"), -1) << "parents are not searched downward";
  EXPECT_EQ(skins::MaskIndex(-1, "TsButton", "SLIDERMASK"), -1);
  EXPECT_EQ(skins::MaskIndex(1, "", "SLIDERMASK"), -1);
  EXPECT_EQ(skins::PatternIndex(1, "TsButton", skins::kHotImageFile), -1);
}

TEST_F(SkinData, ParentChainsThatComeBackEnd) {
  skin.Active = true;
  AddSection("A", "B");
  AddSection("B", "A");
  AddSection("SELF", "SELF");
  AddSection("ORPHAN", "MISSING");
  EXPECT_EQ(skins::MaskIndex(0, "A", skins::kBordersMask), -1);
  EXPECT_EQ(skins::PatternIndex(1, "B", skins::kImageFile), -1);
  EXPECT_EQ(skins::MaskIndex(2, "SELF", skins::kBordersMask), -1);
  EXPECT_EQ(skins::MaskIndex(3, "ORPHAN", skins::kBordersMask), -1);
  // Inside the cycle an entry is still found.
  AddMask("B", skins::kBordersMask);
  EXPECT_EQ(skins::MaskIndex(0, "A", skins::kBordersMask), 0);
}

TEST_F(SkinData, ClearEmptiesEveryTable) {
  AddSection("A", "");
  AddMask("A", skins::kBordersMask);
  skin.SkinMenus.push_back(skins::TsMenuBitmap{skins::TsSkinBitmap(4, 4), true});
  skin.SkinName = "X";
  skin.Clear();
  EXPECT_TRUE(skin.Sections.empty());
  EXPECT_TRUE(skin.MaskData.empty());
  EXPECT_TRUE(skin.SkinMenus.empty());
  EXPECT_TRUE(skin.SkinName.empty());
  const skins::TPixels view = skins::TsSkinBitmap(3, 2).View();
  EXPECT_EQ(view.stride, 12);
  EXPECT_EQ(view.height, 2);
}
