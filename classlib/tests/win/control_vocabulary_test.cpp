// What the smaller control properties do to the windows: constraints on
// every change of bounds, an editor's bevel, the combo box's owner-draw
// styles and a panel's partial repaint.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/app_pump.h"

namespace {

class Vocabulary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form_ = New<TForm>(Application);
    form_->SetBounds(50, 50, 400, 300);
  }
  void TearDown() override {
    form_->Free();
    Pump(30);
  }
  template <class T>
  T* Make(int l, int t, int w, int h) {
    return PlaceOn<T>(form_, l, t, w, h);
  }
  TForm* form_ = nullptr;
};

TEST_F(Vocabulary, ConstraintsAndOnCanResizeRuleEveryChangeOfBounds) {
  auto* b = Make<TButton>(10, 10, 100, 30);
  form_->Show();
  b->Constraints()->SetMaxWidth(80); // applies to the size it has now
  EXPECT_EQ(b->Width(), 80);
  b->Constraints()->SetMinHeight(40);
  EXPECT_EQ(b->Height(), 40);
  b->SetBounds(5, 5, 500, 10);
  EXPECT_EQ(b->BoundsRect(), Bounds(5, 5, 80, 40));
  RECT r;
  GetWindowRect(b->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 80);
  // A refused size: the control still moves.
  b->OnCanResize = [](TObject*, int&, int&, bool& resize) { resize = false; };
  b->SetBounds(20, 25, 60, 60);
  EXPECT_EQ(b->BoundsRect(), Bounds(20, 25, 80, 40));
  // A graphic control follows the same rule.
  auto* l = Make<TLabel>(0, 0, 10, 10);
  l->SetAutoSize(false);
  l->OnConstrainedResize = [](TObject*, int& minW, int&, int&, int&) { minW = 50; };
  l->SetWidth(20);
  EXPECT_EQ(l->Width(), 50);
}

TEST_F(Vocabulary, AnEditorsBevelTakesRoomOnItsEdges) {
  auto* e = Make<TEdit>(10, 10, 120, 30);
  form_->Show();
  auto clientSize = [&] {
    RECT r;
    GetClientRect(e->Handle(), &r);
    return std::pair<int, int>(r.right, r.bottom);
  };
  const auto plain = clientSize();
  e->SetBevelKind(bkFlat);
  auto beveled = clientSize();
  EXPECT_EQ(beveled.first, plain.first - 4); // inner and outer, both sides
  EXPECT_EQ(beveled.second, plain.second - 4);
  e->SetBevelEdges({beLeft, beBottom});
  beveled = clientSize();
  EXPECT_EQ(beveled.first, plain.first - 2);
  EXPECT_EQ(beveled.second, plain.second - 2);
  e->SetBevelOuter(bvNone);
  EXPECT_EQ(clientSize().first, plain.first - 1);
}

TEST_F(Vocabulary, OwnerDrawComboBoxesMeasureAndDrawTheirLines) {
  auto* c = Make<TComboBox>(10, 10, 150, 24);
  c->SetStyle(csOwnerDrawVariable);
  c->SetItemHeight(16);
  std::vector<int> measured;
  c->OnMeasureItem = [&](TWinControl* sender, int index, int& height) {
    EXPECT_EQ(sender, c);
    EXPECT_EQ(height, 16);
    measured.push_back(index);
    if (index == 1) height = 30;
  };
  std::set<int> drawn;
  bool selectedSeen = false;
  c->OnDrawItem = [&](TWinControl*, int index, const TRect& r, TOwnerDrawState state) {
    drawn.insert(index);
    if (state.Contains(odSelected)) selectedSeen = true;
    c->Canvas()->FillRect(r);
  };
  for (const char* s : {"a", "b", "c"}) c->Items()->Add(s);
  c->SetItemIndex(0);
  form_->Show();
  Pump(50);
  EXPECT_EQ(measured, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETITEMHEIGHT, 1, 0), 30);
  EXPECT_EQ(SendMessageW(c->Handle(), CB_GETITEMHEIGHT, 2, 0), 16);
  SendMessageW(c->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump(100);
  SendMessageW(c->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  Pump(50);
  EXPECT_TRUE(drawn.count(0) && drawn.count(1) && drawn.count(2));
  EXPECT_TRUE(selectedSeen);
  EXPECT_EQ(c->Text(), "a"); // a list only: the text is the chosen line
}

TEST_F(Vocabulary, APanelWithoutFullRepaintKeepsItsWindowClassFromRedrawingWhole) {
  auto* full = Make<TPanel>(10, 10, 100, 50);
  auto* partial = Make<TPanel>(10, 70, 100, 50);
  partial->SetFullRepaint(false);
  auto classStyle = [](TWinControl* c) { return GetClassLongPtrW(c->Handle(), GCL_STYLE); };
  EXPECT_TRUE(classStyle(full) & CS_HREDRAW);
  EXPECT_FALSE(classStyle(partial) & (CS_HREDRAW | CS_VREDRAW));
  form_->Show();
  Pump(50);
  // Growing it repaints the uncovered area and the bevel that moved, not
  // the middle of the panel.
  ValidateRect(partial->Handle(), nullptr);
  partial->SetWidth(160);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(partial->Handle(), &update, FALSE));
  EXPECT_GE(update.left, 100 - 4);
  EXPECT_EQ(update.right, 160);
}

} // namespace
