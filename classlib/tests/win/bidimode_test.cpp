// The reading order of controls: BiDiMode and ParentBiDiMode on a form, a
// panel in it and an edit in the panel. A control follows its parent's mode
// until it is given its own, takes it again with ParentBiDiMode, and its
// window reads right to left (WS_EX_RTLREADING) in any mode but left to
// right, its text kept across the window being made again.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/app_pump.h"

namespace {

bool ReadsRightToLeft(TWinControl* c) {
  return (GetWindowLongPtrW(c->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

struct Nested {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TPanel* panel = new TPanel(form.get());
  TEdit* edit = new TEdit(form.get());
  Nested() {
    form->SetBounds(100, 100, 300, 200);
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 200, 100);
    edit->SetParent(panel);
    edit->SetBounds(10, 10, 150, 21);
    edit->SetText("Запись 1");
    form->Show();
    Pump(60);
  }
};

} // namespace

TEST(BiDiMode, ControlsFollowTheirParentUntilGivenTheirOwn) {
  Nested n;
  EXPECT_EQ(n.edit->BiDiMode(), bdLeftToRight);
  EXPECT_TRUE(n.edit->ParentBiDiMode());
  EXPECT_FALSE(ReadsRightToLeft(n.edit));

  n.form->SetBiDiMode(bdRightToLeft);
  Pump(30);
  EXPECT_FALSE(n.form->ParentBiDiMode());
  EXPECT_EQ(n.panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(n.edit->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(n.edit->ParentBiDiMode());
  ASSERT_TRUE(n.edit->HandleAllocated());
  EXPECT_TRUE(ReadsRightToLeft(n.edit));
  EXPECT_TRUE(ReadsRightToLeft(n.panel));
  EXPECT_EQ(n.edit->Text(), "Запись 1");
  EXPECT_TRUE(IsWindowVisible(n.edit->Handle()));

  // Its own mode: the parent's changes pass it by.
  n.edit->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(n.edit->ParentBiDiMode());
  EXPECT_FALSE(ReadsRightToLeft(n.edit));
  n.form->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(n.panel->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(n.edit->BiDiMode(), bdLeftToRight);
  // Giving the mode it already has keeps it following.
  n.panel->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_TRUE(n.panel->ParentBiDiMode());
  n.edit->SetParentBiDiMode(true);
  EXPECT_EQ(n.edit->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_TRUE(ReadsRightToLeft(n.edit));

  // A control placed in a right-to-left parent reads right to left.
  auto* later = new TEdit(n.form.get());
  later->SetBounds(10, 120, 100, 21);
  later->SetParent(n.form.get());
  EXPECT_EQ(later->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_TRUE(ReadsRightToLeft(later));
  n.form->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(ReadsRightToLeft(later));
  EXPECT_FALSE(ReadsRightToLeft(n.edit));
}
