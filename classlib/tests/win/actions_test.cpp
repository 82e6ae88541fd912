// Actions and the links that keep controls in step with them: what a bound
// control takes, what it follows later, what it keeps of its own, the
// click, and the lifetimes (an action, a list or an image list freed under
// the controls that use them).
#include <gtest/gtest.h>

#include <string>

#include "classlib/ActnList.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"

namespace {

// A stock button whose click the test can make (as a mouse release would).
class ClickableButton : public TButton {
 public:
  using TButton::TButton;
  void ClickNow() { Click(); }
};

class Actions : public testing::Test {
 protected:
  void SetUp() override {
    owner = new TComponent(nullptr);
    action = new TAction(owner);
    action->SetCaption("Записать");
    action->SetHint("Запись эфира");
    action->OnExecute = [this](TObject* s) {
      ++executed;
      sender = s;
    };
    button = new ClickableButton(owner);
  }
  void TearDown() override { owner->Free(); }
  TComponent* owner = nullptr;
  TAction* action = nullptr;
  ClickableButton* button = nullptr;
  int executed = 0;
  TObject* sender = nullptr;
};

TEST_F(Actions, BindingTakesTheLookAndLaterChangesFollow) {
  action->SetEnabled(false);
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Записать");
  EXPECT_EQ(button->Hint(), "Запись эфира");
  EXPECT_FALSE(button->Enabled());
  action->SetEnabled(true);
  action->SetVisible(false);
  EXPECT_TRUE(button->Enabled());
  EXPECT_FALSE(button->Visible());
}

// What the control was given itself since is no longer the action's.
TEST_F(Actions, AControlsOwnValuesAreNotOverwritten) {
  button->SetAction(action);
  button->SetCaption("Моя");
  button->SetHint("Моя подсказка");
  action->SetCaption("Стоп");
  action->SetHint("Остановить запись");
  EXPECT_EQ(button->Caption(), "Моя");
  EXPECT_EQ(button->Hint(), "Моя подсказка");
  // Binding again takes the action's look whole.
  button->SetAction(nullptr);
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Стоп");
}

// A layout binds its actions while loading: only properties still at their
// defaults take the action's values.
TEST_F(Actions, WhileLoadingOnlyDefaultsTakeTheActionsValues) {
  owner->Loading();
  button->SetCaption("Из формы");
  action->SetEnabled(false);
  button->SetAction(action);
  owner->EndLoading();
  EXPECT_EQ(button->Caption(), "Из формы");
  EXPECT_EQ(button->Hint(), "Запись эфира");
  EXPECT_FALSE(button->Enabled());
}

TEST_F(Actions, AClickRunsTheActionUnlessTheControlHasItsOwnHandler) {
  button->ClickNow();
  EXPECT_EQ(executed, 0);
  button->SetAction(action);
  button->ClickNow();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(sender, action);
  // A disabled action does nothing, even when run directly.
  action->SetEnabled(false);
  EXPECT_FALSE(action->Execute());
  EXPECT_EQ(executed, 1);
  action->SetEnabled(true);
  int own = 0;
  button->OnClick = [&](TObject*) { ++own; };
  button->ClickNow();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(executed, 1);
  // Unbound: the action no longer runs nor reaches the control.
  button->OnClick = nullptr;
  button->SetAction(nullptr);
  button->ClickNow();
  EXPECT_EQ(executed, 1);
  action->SetCaption("Другая");
  EXPECT_EQ(button->Caption(), "Записать");
}

TEST_F(Actions, FreeingAnActionUnbindsItsControls) {
  auto* other = new ClickableButton(owner);
  button->SetAction(action);
  other->SetAction(action);
  action->Free();
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_EQ(other->Action(), nullptr);
  EXPECT_EQ(button->Caption(), "Записать"); // the look stays
  button->ClickNow();                      // and nothing runs
  EXPECT_EQ(executed, 0);
  // A control freed first leaves the action working for the rest.
  auto* again = new TAction(owner);
  button->SetAction(again);
  other->SetAction(again);
  other->Free();
  again->SetCaption("Ещё");
  EXPECT_EQ(button->Caption(), "Ещё");
}

TEST_F(Actions, TheListLendsItsImagesAndForgetsFreedOnes) {
  auto* list = new TActionList(owner);
  auto* images = new TImageList(owner);
  EXPECT_EQ(action->Images(), nullptr);
  action->SetActionList(list);
  list->SetImages(images);
  ASSERT_EQ(list->ActionCount(), 1);
  EXPECT_EQ(list->Actions(0), action);
  EXPECT_EQ(action->Images(), images);
  images->Free();
  EXPECT_EQ(list->Images(), nullptr);
  EXPECT_EQ(action->Images(), nullptr);
  // An action freed leaves its list; a list freed leaves its actions.
  auto* second = new TAction(owner);
  second->SetActionList(list);
  second->Free();
  EXPECT_EQ(list->ActionCount(), 1);
  list->Free();
  EXPECT_EQ(action->ActionList(), nullptr);
  EXPECT_THROW(TActionList(nullptr).Actions(0), EListError);
}

} // namespace
