// The skinned controls' keyboard on real windows with real input (SendInput):
// - next and previous control keys: with KeysNextControl "13" Enter moves the
//   focus on through the form's tab order (disabled, hidden and non-tab-stop
//   controls skipped, wrapping around), from an edit, a drop-down list, a
//   radio button and the edit field of a drop-down combo; KeysPrevControl
//   "38" (Up) goes back; Shift, Ctrl or Alt held, or an open list, keep the
//   focus where it is;
// - accelerators: "&Yes" and "&Да" buttons click on Alt with their letter
//   (a Cyrillic one comes as the Cyrillic character, as a Russian layout
//   gives it), in either case, and on the letter alone where the focused
//   control takes no characters; an edit keeps its typed letters; a tab
//   caption "&Мои каналы" turns the page (OnChanging may refuse; a hidden tab
//   is skipped); a label "&Имя" in front of an edit gives it the focus;
// - a pressed radio button takes no keys, a Space release that completes
//   nothing reaches OnKeyUp; a dialog key's click sees the button Down; only
//   the Default button gets the default frame.
#include <gtest/gtest.h>

#include "classlib/WinApi.h"
#include <commctrl.h>

#include "classlib/Forms.h"
#include "classlib/tests/controls_test_input.h"
#include "skins/sCustomButton.h"
#include "skins/sCustomComboBox.h"
#include "skins/sCustomLabel.h"
#include "skins/sEdit.h"
#include "skins/sPageControl.h"
#include "skins/sRadioButton.h"

using namespace testinput;
using namespace skins;

namespace {

template <class T>
T* Put(TForm* form, int x, int y, int w, int h) {
  auto* c = new T(form);
  c->SetParent(form);
  c->SetBounds(x, y, w, h);
  return c;
}

void SetKeys(TsStyle* s) {
  s->SetKeysNextControl("13");
  s->SetKeysPrevControl("38");
}

HWND Focus() { return GetFocus(); }

class NextControlKeys : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TForm>(Application);
    form_->SetBounds(60, 60, 420, 300);
    form_->SetCaption("Клавиши");
    first_ = Put<TsEdit>(form_, 10, 10, 120, 21);
    disabled_ = Put<TsEdit>(form_, 10, 40, 120, 21);
    disabled_->SetEnabled(false);
    hidden_ = Put<TsEdit>(form_, 10, 70, 120, 21);
    hidden_->SetVisible(false);
    no_stop_ = Put<TsEdit>(form_, 10, 100, 120, 21);
    no_stop_->SetTabStop(false);
    list_ = Put<TsComboBox>(form_, 150, 10, 120, 21);
    list_->SetStyle(csDropDownList);
    for (const char* s : {"96", "128", "192"}) list_->Items()->Add(s);
    list_->SetItemIndex(1);
    radio_ = Put<TsRadioButton>(form_, 150, 40, 120, 18);
    radio_->SetCaption("Радио");
    drop_ = Put<TsComboBox>(form_, 150, 70, 120, 21);
    drop_->SetStyle(csDropDown);
    drop_->Items()->Add("HTTP://");
    for (TsStyle* s : {first_->sStyle(), disabled_->sStyle(), hidden_->sStyle(),
                       no_stop_->sStyle(), list_->sStyle(), radio_->sStyle(), drop_->sStyle()})
      SetKeys(s);
    form_->Show();
    Activate(form_->Handle());
    first_->SetFocus();
    Pump(100);
  }
  void TearDown() override {
    form_->Free();
    Pump(50);
  }
  TForm* form_ = nullptr;
  TsEdit *first_ = nullptr, *disabled_ = nullptr, *hidden_ = nullptr, *no_stop_ = nullptr;
  TsComboBox *list_ = nullptr, *drop_ = nullptr;
  TsRadioButton* radio_ = nullptr;
};

TEST_F(NextControlKeys, EnterMovesOnThroughTheTabOrderSkippingAndWrapping) {
  ASSERT_EQ(Focus(), first_->Handle());
  Key(VK_RETURN);
  EXPECT_EQ(Focus(), list_->Handle()); // disabled, hidden and no tab stop skipped
  EXPECT_EQ(list_->ItemIndex(), 1);
  Key(VK_RETURN);
  EXPECT_EQ(Focus(), radio_->Handle());
  EXPECT_FALSE(radio_->Checked()); // Enter is not a press
  Key(VK_RETURN);
  EXPECT_TRUE(drop_->Focused()); // its edit field holds the focus
  EXPECT_NE(Focus(), drop_->Handle());
  Key(VK_RETURN);
  EXPECT_EQ(Focus(), first_->Handle()); // round to the first
  EXPECT_EQ(first_->Text(), "");
  EXPECT_EQ(drop_->Text(), "");
}

TEST_F(NextControlKeys, UpMovesBackAndWraps) {
  Key(VK_UP);
  EXPECT_TRUE(drop_->Focused()); // from the first back to the last
  Key(VK_UP);
  EXPECT_EQ(Focus(), radio_->Handle());
  Key(VK_UP);
  EXPECT_EQ(Focus(), list_->Handle());
  Key(VK_UP);
  EXPECT_EQ(Focus(), first_->Handle());
  EXPECT_EQ(list_->ItemIndex(), 1); // the list's own Up never ran
}

TEST_F(NextControlKeys, ShiftCtrlOrAltHeldAndAnOpenListKeepTheFocus) {
  for (WORD modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    KeyHolding(modifier, VK_RETURN);
    EXPECT_EQ(Focus(), first_->Handle()) << "modifier " << modifier;
  }
  radio_->SetFocus();
  Pump(50);
  KeyHolding(VK_SHIFT, VK_RETURN);
  EXPECT_EQ(Focus(), radio_->Handle());
  // Enter in the open list picks its line and closes it; the focus stays.
  list_->SetFocus();
  Pump(50);
  Key(VK_F4);
  Pump(100);
  ASSERT_TRUE(list_->ListOpen());
  Key(VK_DOWN);
  Key(VK_RETURN);
  Pump(100);
  EXPECT_FALSE(list_->ListOpen());
  EXPECT_TRUE(list_->Focused());
  EXPECT_EQ(list_->ItemIndex(), 2);
  // Closed again, Enter moves on.
  Key(VK_RETURN);
  EXPECT_EQ(Focus(), radio_->Handle());
}

TEST_F(NextControlKeys, AFormsOwnKeyHandlerTakesTheStylesPlace) {
  // An edit, a drop-down list, the edit field of a drop-down combo and a
  // checked control: the style's keys are their OnKeyDown until replaced.
  TWinControl* controls[] = {first_, list_, drop_, radio_};
  for (TWinControl* c : controls) {
    SCOPED_TRACE(c->ClassName());
    int downs = 0;
    c->OnKeyDown = [&downs](TObject*, WORD&, TShiftState) { ++downs; };
    c->SetFocus();
    Pump(50);
    const HWND held = Focus();
    Key(VK_RETURN);
    EXPECT_EQ(Focus(), held);
    EXPECT_EQ(downs, 1);
  }
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
  Pump(60);
}

TEST_F(NextControlKeys, APressedRadioButtonTakesNoKeysAndAnIdleSpaceReleaseReachesOnKeyUp) {
  int ups = 0, changes = 0;
  radio_->OnKeyUp = [&ups](TObject*, WORD& k, TShiftState) { ups += k == VK_SPACE; };
  radio_->OnChange = [&changes](TObject*) { ++changes; };
  radio_->SetFocus();
  Pump(50);
  SendKey(VK_SPACE, false);
  ASSERT_TRUE(radio_->Pressed());
  SendKey(VK_UP, false); // the previous-control key does nothing while pressed
  SendKey(VK_UP, true);
  EXPECT_EQ(Focus(), radio_->Handle());
  SendKey(VK_SPACE, true);
  EXPECT_TRUE(radio_->Checked());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ups, 0); // the release that completed the press is the control's
  // Read-only: the press changes nothing, its release reaches OnKeyUp, and
  // the press is held until Tab takes the focus away.
  radio_->SetReadOnly(true);
  SendKey(VK_SPACE, false);
  SendKey(VK_SPACE, true);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(radio_->Pressed());
  Key(VK_TAB);
  EXPECT_TRUE(drop_->Focused());
  EXPECT_FALSE(radio_->Pressed());
  EXPECT_EQ(changes, 1);
}

// --- Accelerators ------------------------------------------------------------------------------

class Accelerators : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    Application->OnMessage = AltCharacterAsALayoutGivesIt;
    form_ = New<TForm>(Application);
    form_->SetBounds(60, 60, 460, 320);
    form_->SetCaption("Ускорители");
    label_ = Put<TsLabel>(form_, 10, 14, 60, 17);
    label_->SetCaption("&Имя");
    name_ = Put<TsEdit>(form_, 80, 10, 120, 21);
    label_->SetFocusControl(name_);
    other_ = Put<TsEdit>(form_, 80, 40, 120, 21);
    holder_ = Put<TsRadioButton>(form_, 220, 10, 120, 18);
    holder_->SetCaption("Без букв");
    yes_ = Put<TsButton>(form_, 220, 40, 75, 25);
    yes_->SetCaption("&Yes");
    yes_->OnClick = [this](TObject*) { ++yes_clicks_; };
    da_ = Put<TsButton>(form_, 300, 40, 75, 25);
    da_->SetCaption("&Да");
    da_->OnClick = [this](TObject*) { ++da_clicks_; };
    pages_ = Put<TsPageControl>(form_, 10, 80, 420, 180);
    const char* captions[] = {"Основные каналы", "&Мои каналы", "&Мир"};
    for (int i = 0; i < 3; ++i) {
      sheet_[i] = new TsTabSheet(form_);
      sheet_[i]->SetPageControl(pages_);
      sheet_[i]->SetCaption(captions[i]);
    }
    pages_->SetActivePage(sheet_[0]);
    pages_->OnChanging = [this](TObject*, bool& allow) { allow = allow_; };
    pages_->OnChange = [this](TObject*) { ++page_changes_; };
    form_->Show();
    Activate(form_->Handle());
    other_->SetFocus();
    Pump(100);
  }
  void TearDown() override {
    form_->Free();
    Pump(50);
    Application->OnMessage = nullptr;
  }
  TForm* form_ = nullptr;
  TsLabel* label_ = nullptr;
  TsEdit *name_ = nullptr, *other_ = nullptr;
  TsRadioButton* holder_ = nullptr;
  TsButton *yes_ = nullptr, *da_ = nullptr;
  TsPageControl* pages_ = nullptr;
  TsTabSheet* sheet_[3] = {};
  int yes_clicks_ = 0, da_clicks_ = 0, page_changes_ = 0;
  bool allow_ = true;
};

TEST_F(Accelerators, AltWithTheLetterClicksLatinAndCyrillicInEitherCase) {
  KeyHolding(VK_MENU, 'Y'); // Latin layout: Alt+Y gives "y"
  EXPECT_EQ(yes_clicks_, 1);
  EXPECT_EQ(da_clicks_, 0);
  TypeHolding(VK_MENU, L"д"); // Russian layout: Alt+L gives "д"
  EXPECT_EQ(da_clicks_, 1);
  TypeHolding(VK_MENU, L"Д");
  EXPECT_EQ(da_clicks_, 2);
  TypeHolding(VK_MENU, L"l"); // the Latin letter on the same key is not "д"
  EXPECT_EQ(da_clicks_, 2);
  EXPECT_EQ(yes_clicks_, 1);
  // No button was left pressed, none took the focus, the edit got nothing.
  EXPECT_FALSE(yes_->Down());
  EXPECT_FALSE(da_->Down());
  EXPECT_EQ(Focus(), other_->Handle());
  EXPECT_EQ(other_->Text(), "");
  // A disabled button's accelerator does nothing.
  da_->SetEnabled(false);
  TypeHolding(VK_MENU, L"д");
  EXPECT_EQ(da_clicks_, 2);
}

TEST_F(Accelerators, ADialogKeysClickSeesTheButtonDown) {
  bool down_in_click = false;
  yes_->OnClick = [this, &down_in_click](TObject*) {
    ++yes_clicks_;
    down_in_click = yes_->Down();
  };
  yes_->SetDefault(true);
  Key(VK_RETURN); // from the edit: the default button takes it
  EXPECT_EQ(yes_clicks_, 1);
  EXPECT_TRUE(down_in_click);
  EXPECT_FALSE(yes_->Down());
  down_in_click = false;
  KeyHolding(VK_MENU, 'Y');
  EXPECT_EQ(yes_clicks_, 2);
  EXPECT_TRUE(down_in_click);
  EXPECT_FALSE(yes_->Down());
  // A click notification reflected from the parent clicks too.
  SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(0, 0),
               reinterpret_cast<LPARAM>(yes_->Handle()));
  EXPECT_EQ(yes_clicks_, 3);
}

TEST_F(Accelerators, OnlyTheDefaultButtonShowsTheDefaultFrame) {
  // The frame is drawn with the bevel, which the masked outline replaces.
  for (TsButton* b : {yes_, da_}) b->sStyle()->BtnEffects()->MaskedBorders()->SetEnabled(false);
  yes_->SetDefault(true);
  auto top = [](TsButton* b) {
    b->sStyle()->CacheDirty = true;
    b->Repaint();
    const TPixels px = b->sStyle()->Cache()->Pixels();
    const uint8_t* q = px.At(b->Width() / 2, 0);
    return q[0] + q[1] + q[2];
  };
  EXPECT_EQ(top(yes_), 0); // acts as the default while an edit has the focus
  EXPECT_GT(top(da_), 0);
  da_->SetFocus(); // focused, it acts as the default, but is not Default
  Pump(100);
  ASSERT_TRUE(da_->ActsAsDefault());
  EXPECT_GT(top(da_), 0);
  EXPECT_GT(top(yes_), 0);
  da_->SetDefault(true);
  EXPECT_EQ(top(da_), 0);
}

TEST_F(Accelerators, LettersAloneGoToAnEditAndAreAcceleratorsElsewhere) {
  Type(L"yд");
  EXPECT_EQ(other_->Text(), "yд");
  EXPECT_EQ(yes_clicks_ + da_clicks_, 0);
  holder_->SetFocus(); // takes no characters
  Pump(50);
  Type(L"Y");
  Type(L"д");
  EXPECT_EQ(yes_clicks_, 1);
  EXPECT_EQ(da_clicks_, 1);
  // The focused button itself answers to its letter too.
  yes_->SetFocus();
  Pump(50);
  Type(L"y");
  EXPECT_EQ(yes_clicks_, 2);
  EXPECT_FALSE(yes_->Down());
}

TEST_F(Accelerators, ATabCaptionsAcceleratorTurnsThePage) {
  TypeHolding(VK_MENU, L"м");
  EXPECT_EQ(pages_->ActivePage(), sheet_[1]); // the first tab that holds it
  EXPECT_EQ(TabCtrl_GetCurSel(pages_->Handle()), 1);
  EXPECT_EQ(page_changes_, 1);
  EXPECT_TRUE(sheet_[1]->Visible());
  EXPECT_FALSE(sheet_[0]->Visible());
  allow_ = false;
  pages_->SetActivePage(sheet_[0]);
  TypeHolding(VK_MENU, L"М");
  EXPECT_EQ(pages_->ActivePage(), sheet_[0]); // OnChanging kept it
  EXPECT_EQ(page_changes_, 1);
  EXPECT_EQ(yes_clicks_ + da_clicks_, 0);
  // A hidden tab is no longer a tab: the next one that holds the letter is.
  allow_ = true;
  sheet_[1]->SetTabVisible(false);
  TypeHolding(VK_MENU, L"м");
  EXPECT_EQ(pages_->ActivePage(), sheet_[2]);
  // A disabled page control takes no accelerator.
  pages_->SetActivePage(sheet_[0]);
  pages_->SetEnabled(false);
  TypeHolding(VK_MENU, L"м");
  EXPECT_EQ(pages_->ActivePage(), sheet_[0]);
}

TEST_F(Accelerators, ALabelsAcceleratorFocusesTheEditBehindIt) {
  TypeHolding(VK_MENU, L"и");
  EXPECT_EQ(Focus(), name_->Handle());
  EXPECT_EQ(name_->Text(), "");
  holder_->SetFocus();
  Pump(50);
  Type(L"И"); // alone, where the focus takes no characters
  EXPECT_EQ(Focus(), name_->Handle());
  // Without ShowAccelChar, disabled, or with a control that can't take the
  // focus, the letter is not the label's.
  for (int i = 0; i < 3; ++i) {
    other_->SetFocus();
    Pump(50);
    label_->SetShowAccelChar(i != 0);
    label_->SetEnabled(i != 1);
    name_->SetEnabled(i != 2);
    TypeHolding(VK_MENU, L"и");
    EXPECT_EQ(Focus(), other_->Handle()) << "case " << i;
  }
}

} // namespace
