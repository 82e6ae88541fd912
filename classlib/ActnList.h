// Actions: one command (its caption, hint, image, enabled, checked and
// visible state, and what it does) shared by every control bound to it.
//
// TBasicAction runs OnExecute and tells its links when it changes; TAction
// adds the look; TActionList groups actions and lends them its image list.
// An action link ties one client to one action. When the action changes a
// property, each link hears it through its setter (SetCaption, ...); a
// control that was given its own caption (or hint, enabled state, ...)
// since no longer counts as linked for it (IsCaptionLinked, ...), and the
// setter leaves it as it is. When a control is bound to an action, or the
// action moves to another list (other images), the link's OnChange makes
// the control take the action's whole look (TControl::ActionChange).
//
// Lifetimes: freeing an action unbinds every link first (a control hears
// of it through Notification and lets its link go); freeing a link leaves
// its action. Freeing an action list's image list leaves the list without.
#pragma once

#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Forward.h"

class TBasicActionLink;
class TActionLink;
class TActionList;

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;
  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  TNotifyEvent OnExecute;

 protected:
  void BeforeDestruction() override;
  // Tells every link that the action as a whole changed (their OnChange):
  // its clients take its look again.
  void Change();
  template <class F>
  void ForEachLink(F f) {
    const std::vector<TBasicActionLink*> links = links_; // a link may go meanwhile
    for (TBasicActionLink* l : links)
      if (Linked(l)) f(l);
  }

 private:
  friend class TBasicActionLink;
  bool Linked(TBasicActionLink* l) const;
  void UnlinkAll();
  std::vector<TBasicActionLink*> links_;
};

class TAction : public TBasicAction {
 public:
  explicit TAction(TComponent* AOwner);
  ~TAction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // The list the action belongs to (it gives the images); none by default.
  TActionList* ActionList() const { return action_list_; }
  void SetActionList(TActionList* v);
  // The action list's images (null without a list or images).
  TImageList* Images() const;

  // A disabled action does nothing.
  bool Execute() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TActionList;
  template <class V, class Arg>
  void Update(V& field, const V& value, void (TActionLink::*set)(Arg));
  std::string caption_, hint_;
  bool checked_ = false, enabled_ = true, visible_ = true;
  int image_index_ = -1;
  TActionList* action_list_ = nullptr;
};

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* AOwner);
  ~TActionList() override;

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v);
  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int Index) const;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TAction;
  void AddAction(TAction* a);
  void RemoveAction(TAction* a);
  TImageList* images_ = nullptr;
  std::vector<TAction*> actions_;
};

// The tie between a client and an action.
class TBasicActionLink : public TObject {
 public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* v);
  // Runs the action; false without one or when it did nothing.
  virtual bool Execute();
  // The action changed (its argument is the action).
  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  friend class TBasicAction;
  TBasicAction* action_ = nullptr;
};

// A link to a TAction's look. A property is linked while the action is a
// TAction (and, for links of a client, while the client still shows the
// action's value); the setters are what a client does when the action's
// value changes.
class TActionLink : public TBasicActionLink {
 public:
  TAction* LinkedAction() const;
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsVisibleLinked();
  virtual void SetCaption(const std::string&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetVisible(bool) {}
};

// The link of a control: caption, enabled state, hint and visibility follow
// the action while the control still shows the action's values.
class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TControl* AClient) : client_(AClient) {}
  TControl* Client() const { return client_; }
  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const std::string& Value) override;
  void SetVisible(bool Value) override;

 private:
  TControl* client_;
};
