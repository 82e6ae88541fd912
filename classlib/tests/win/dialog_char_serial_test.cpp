// Accelerators of the stock controls with real keys (SendInput): Alt with a
// letter, or the letter alone where the focused control takes no
// characters, reaches the control whose caption marks it with "&" (either
// letter case, Cyrillic as well): a button clicks, a radio button takes the
// focus and its check, a label hands the focus to its FocusControl. An edit
// keeps the letters typed into it, OnKeyPress may keep one from the form,
// and "&&" marks nothing. Drives the keyboard focus, so it runs alone.
#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/controls_test_input.h"

using namespace testinput;

namespace {

template <class T>
T* Put(TForm* form, int x, int y, int w, int h, const char* caption) {
  auto* c = new T(form);
  c->SetParent(form);
  c->SetBounds(x, y, w, h);
  c->SetCaption(caption);
  return c;
}

class StockAccelerators : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    Application->OnMessage = AltCharacterAsALayoutGivesIt;
    form_ = New<TForm>(Application);
    form_->SetBounds(80, 80, 380, 220);
    form_->SetCaption("Буквы");
    typed_ = Put<TEdit>(form_, 10, 10, 120, 21, "");
    label_ = Put<TLabel>(form_, 10, 44, 60, 17, "&Адрес");
    address_ = Put<TEdit>(form_, 80, 40, 120, 21, "");
    label_->SetFocusControl(address_);
    ok_ = Put<TButton>(form_, 220, 10, 75, 25, "&Ok");
    ok_->OnClick = [this](TObject*) { ++ok_clicks_; };
    rock_ = Put<TButton>(form_, 220, 40, 100, 25, "Rock && Roll");
    rock_->OnClick = [this](TObject*) { ++rock_clicks_; };
    first_ = Put<TRadioButton>(form_, 10, 80, 150, 20, "&Первый");
    second_ = Put<TRadioButton>(form_, 10, 104, 150, 20, "&Второй");
    second_->OnChange = [this](TObject*) { ++second_changes_; };
    first_->SetChecked(true);
    form_->Show();
    Activate(form_->Handle());
    typed_->SetFocus();
    Pump(100);
  }
  void TearDown() override {
    form_->Free();
    Pump(50);
    Application->OnMessage = nullptr;
  }
  TForm* form_ = nullptr;
  TEdit *typed_ = nullptr, *address_ = nullptr;
  TLabel* label_ = nullptr;
  TButton *ok_ = nullptr, *rock_ = nullptr;
  TRadioButton *first_ = nullptr, *second_ = nullptr;
  int ok_clicks_ = 0, rock_clicks_ = 0, second_changes_ = 0;
};

TEST_F(StockAccelerators, AltWithALetterReachesTheControlThatMarksIt) {
  KeyHolding(VK_MENU, 'O');
  EXPECT_EQ(ok_clicks_, 1);
  EXPECT_EQ(GetFocus(), typed_->Handle()); // a push button clicks where it is
  TypeHolding(VK_MENU, L"в");
  EXPECT_TRUE(second_->Checked());
  EXPECT_FALSE(first_->Checked());
  EXPECT_EQ(second_changes_, 1);
  EXPECT_EQ(GetFocus(), second_->Handle());
  TypeHolding(VK_MENU, L"А");
  EXPECT_EQ(GetFocus(), address_->Handle());
  EXPECT_EQ(typed_->Text(), "");
  EXPECT_EQ(address_->Text(), "");
  // "&&" is an ampersand: neither "&" nor "R" reaches the button.
  KeyHolding(VK_MENU, 'R');
  EXPECT_EQ(rock_clicks_, 0);
}

TEST_F(StockAccelerators, LettersGoToAnEditAndAreAcceleratorsElsewhere) {
  Type(L"oa");
  EXPECT_EQ(typed_->Text(), "oa");
  EXPECT_EQ(ok_clicks_, 0);
  first_->SetFocus(); // a radio button takes no characters
  Pump(50);
  Type(L"O");
  EXPECT_EQ(ok_clicks_, 1);
  Type(L"а");
  EXPECT_EQ(GetFocus(), address_->Handle());
  // OnKeyPress taking the letter keeps it from the form.
  first_->SetFocus();
  Pump(50);
  first_->OnKeyPress = [](TObject*, char& key) {
    if (key == 'o') key = 0;
  };
  Type(L"o");
  EXPECT_EQ(ok_clicks_, 1);
}

TEST_F(StockAccelerators, DisabledHiddenOrUnlinkedControlsTakeNothing) {
  ok_->SetEnabled(false);
  second_->SetVisible(false);
  label_->SetFocusControl(nullptr);
  KeyHolding(VK_MENU, 'O');
  TypeHolding(VK_MENU, L"в");
  TypeHolding(VK_MENU, L"а");
  EXPECT_EQ(ok_clicks_, 0);
  EXPECT_FALSE(second_->Checked());
  EXPECT_EQ(GetFocus(), typed_->Handle());
  // A FocusControl that goes is forgotten.
  label_->SetFocusControl(address_);
  address_->Free();
  EXPECT_EQ(label_->FocusControl(), nullptr);
  TypeHolding(VK_MENU, L"а");
  EXPECT_EQ(GetFocus(), typed_->Handle());
}

} // namespace
