// PNG decoding and the picture collection's naming, copying and change reports.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "components/PngCollection.h"

namespace {

std::vector<std::uint8_t> ReadRes(const std::string& name) {
  std::ifstream f(std::string(KORVALIS_COMPONENTS_RES) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

struct Updates {
  int all = 0;
  std::vector<TCollectionItem*> items;
  void Watch(TCollection* c) {
    c->OnUpdate = [this](TCollection*, TCollectionItem* item) {
      if (item)
        items.push_back(item);
      else
        ++all;
    };
  }
};

} // namespace

TEST(PngImage, DecodesTheWindowsPictures) {
  for (int i = 0; i < 3; ++i) {
    TPngImage png;
    png.LoadFromBytes(ReadRes("pngimage" + std::to_string(i) + ".png"));
    EXPECT_EQ(png.Width(), 32);
    EXPECT_EQ(png.Height(), 32);
    ASSERT_EQ(png.Pixels().size(), 32u * 32u * 4u);
    EXPECT_EQ(png.Pixels()[3], 0); // transparent corner
    const size_t centre = (16 * 32 + 6) * 4;
    EXPECT_EQ(png.Pixels()[centre + 3], 255);
  }
}

TEST(PngImage, BadDataRaisesAndKeepsThePicture) {
  TPngImage png;
  const auto good = ReadRes("pngimage1.png");
  png.LoadFromBytes(good);
  std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  EXPECT_THROW(png.LoadFromBytes(cut), EPngError);
  EXPECT_THROW(png.LoadFromBytes({}), EPngError);
  EXPECT_THROW(png.LoadFromBytes({'G', 'I', 'F', '8', '9', 'a'}), EPngError);
  EXPECT_EQ(png.Data(), good);
  EXPECT_EQ(png.Width(), 32);
  // A corrupted pixel stream (CRCs and all intact up to the data) fails too.
  auto bad = good;
  for (size_t i = 60; i < bad.size() - 20; ++i) bad[i] ^= 0x5A;
  EXPECT_THROW(png.LoadFromBytes(bad), Exception);
}

TEST(PngCollection, ItemsAreNamedByIndexWithButtonFaceBackground) {
  TPngCollection c(nullptr);
  c.Items()->Add();
  c.Items()->Add();
  TPngCollectionItem* third = c.Items()->Add();
  EXPECT_EQ(third->Name(), "PngImage2");
  EXPECT_EQ(third->DisplayName(), "PngImage2");
  EXPECT_EQ(third->Background(), components::kPngItemBackground);
  EXPECT_TRUE(third->PngImage()->Empty());
  EXPECT_EQ(c.Items()->Owner(), &c);
  EXPECT_EQ(c.Items()->Collection(), &c);
  third->SetName("");
  EXPECT_EQ(third->DisplayName(), "TPngCollectionItem");
}

TEST(PngCollection, ChangesAreReportedOnlyForRealChanges) {
  TPngCollection c(nullptr);
  TPngCollectionItem* item = c.Items()->Add();
  Updates u;
  u.Watch(c.Items());
  item->SetBackground(components::kPngItemBackground); // unchanged
  EXPECT_TRUE(u.items.empty());
  item->SetBackground(0x00FF00);
  ASSERT_EQ(u.items.size(), 1u);
  EXPECT_EQ(u.items[0], item);
  TPngImage png;
  png.LoadFromBytes(ReadRes("pngimage0.png"));
  item->SetPngImage(&png);
  EXPECT_EQ(u.items.size(), 2u);
  EXPECT_EQ(*item->PngImage(), png);
  EXPECT_NE(item->PngImage(), &png); // the item keeps its own copy
}

TEST(PngCollection, AssignCopiesPicturesNamesAndBackgrounds) {
  TPngCollection a(nullptr), b(nullptr);
  TPngImage png;
  png.LoadFromBytes(ReadRes("pngimage2.png"));
  const std::int32_t colours[3] = {static_cast<std::int32_t>(0xFF000005),
                                   static_cast<std::int32_t>(0xFF000015),
                                   static_cast<std::int32_t>(0xFF000005)};
  for (int i = 0; i < 3; ++i) {
    TPngCollectionItem* it = a.Items()->Add();
    it->SetPngImage(&png);
    it->SetBackground(colours[i]);
  }
  a.Items()->Items(1)->SetName("Запись");
  b.Items()->Add();
  Updates u;
  u.Watch(b.Items());
  b.SetItems(a.Items());
  ASSERT_EQ(b.Items()->Count(), 3);
  EXPECT_GE(u.all, 1); // a full update after the copy
  EXPECT_EQ(b.Items()->Items(1)->Name(), "Запись");
  EXPECT_EQ(b.Items()->Items(2)->Name(), "PngImage2");
  EXPECT_EQ(b.Items()->Items(1)->Background(), colours[1]);
  EXPECT_EQ(*b.Items()->Items(0)->PngImage(), png);
  // Anything else than a picture item cannot be assigned to one.
  TPngImage other;
  EXPECT_THROW(b.Items()->Items(0)->Assign(&other), Exception);
}
