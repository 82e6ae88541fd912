// The component model (ownership, notification, loading state, names),
// collections and string lists.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "classlib/Classes.h"

namespace {

// Records what it hears and counts live instances.
struct Probe : TComponent {
  explicit Probe(TComponent* owner, std::vector<std::string>* log = nullptr)
      : TComponent(owner), log_(log) {
    ++live;
  }
  ~Probe() override { --live; }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (log_ && c != this) log_->push_back(Name() + (op == opInsert ? " +" : " -") + c->Name());
    if (op == opRemove && c == watched) watched = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    if (log_) log_->push_back(Name() + " loaded");
  }
  TComponent* watched = nullptr;
  std::vector<std::string>* log_;
  static int live;
};
int Probe::live = 0;

} // namespace

TEST(ComponentModel, OwnerFreesWhatItOwns) {
  Probe::live = 0;
  auto* form = new Probe(nullptr);
  auto* a = new Probe(form);
  new Probe(a);
  new Probe(form);
  EXPECT_EQ(Probe::live, 4);
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), form);
  form->Free();
  EXPECT_EQ(Probe::live, 0);
}

TEST(ComponentModel, EarlyDeleteLeavesOwnerAndTellsSiblings) {
  std::vector<std::string> log;
  auto* form = new Probe(nullptr, &log);
  form->SetName("Form1");
  auto* menu = new Probe(form, &log);
  menu->SetName("PopupMenu1");
  auto* label = new Probe(form, &log);
  label->SetName("Label1");
  label->watched = menu;
  log.clear();
  menu->Free();
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(label->watched, nullptr); // the sibling dropped its reference
  EXPECT_EQ(log, (std::vector<std::string>{"Label1 -PopupMenu1", "Form1 -PopupMenu1"}));
  form->Free();
}

TEST(ComponentModel, FreeNotificationAcrossOwners) {
  auto* form1 = new Probe(nullptr);
  auto* form2 = new Probe(nullptr);
  auto* menu = new Probe(form1);
  auto* user = new Probe(form2);
  user->watched = menu;
  menu->FreeNotification(user);
  EXPECT_TRUE(menu->ComponentState().Contains(csFreeNotification));
  menu->Free();
  EXPECT_EQ(user->watched, nullptr);
  // The user going first must not leave a dangling entry in the other.
  auto* menu2 = new Probe(form1);
  menu2->FreeNotification(user);
  user->Free();
  menu2->Free();
  form1->Free();
  form2->Free();
}

namespace {
// Like a tray icon and its menu: forgets the other in its destructor, the
// way the real ones do. A Watcher still pointing at a freed one is caught
// before it touches it.
struct Watcher : TComponent {
  explicit Watcher(TComponent* owner) : TComponent(owner) { Live().insert(this); }
  ~Watcher() override {
    Live().erase(this);
    if (!watched) return;
    if (!Live().count(watched))
      ADD_FAILURE() << "a Watcher kept a freed sibling";
    else
      watched->RemoveFreeNotification(this);
  }
  void Watch(Watcher* w) {
    watched = w;
    w->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == watched) watched = nullptr;
  }
  static std::set<Watcher*>& Live() {
    static std::set<Watcher*> live;
    return live;
  }
  Watcher* watched = nullptr;
};
} // namespace

TEST(ComponentModel, SiblingsWatchingEachOtherSurviveTheirOwnerGoing) {
  for (int order = 0; order < 2; ++order) {
    auto* form = new TComponent(nullptr);
    Watcher* first = new Watcher(form);
    Watcher* second = new Watcher(form);
    // The newer one goes first when the owner is freed; try both ways.
    if (order == 0)
      first->Watch(second);
    else
      second->Watch(first);
    form->Free();
  }
  // A sibling freed alone still clears the other's reference.
  auto* form = new TComponent(nullptr);
  Watcher* user = new Watcher(form);
  Watcher* menu = new Watcher(form);
  user->Watch(menu);
  menu->Free();
  EXPECT_EQ(user->watched, nullptr);
  form->Free();
}

TEST(ComponentModel, InsertIsAnnouncedAndOwnerCanChange) {
  std::vector<std::string> log;
  auto* a = new Probe(nullptr, &log);
  a->SetName("A");
  auto* b = new Probe(nullptr, &log);
  b->SetName("B");
  auto* x = new Probe(nullptr, &log);
  x->SetName("X");
  a->InsertComponent(x);
  b->InsertComponent(x);
  EXPECT_EQ(x->Owner(), b);
  EXPECT_EQ(a->ComponentCount(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"A +X", "A -X", "B +X"}));
  a->Free();
  b->Free();
}

TEST(ComponentModel, NamesAreUniqueAmongSiblingsAndValid) {
  auto* form = new Probe(nullptr);
  auto* a = new Probe(form);
  a->SetName("Timer1");
  auto* b = new Probe(form);
  EXPECT_THROW(b->SetName("timer1"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  b->SetName("Timer2");
  EXPECT_EQ(form->FindComponent("TIMER2"), b);
  EXPECT_EQ(form->FindComponent("none"), nullptr);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_THROW(form->Components(5), EListError);
  form->Free();
}

TEST(ComponentModel, LoadingStateThenLoadedInCreationOrder) {
  std::vector<std::string> log;
  auto* form = new Probe(nullptr, &log);
  form->SetName("Form1");
  form->Loading();
  auto* t = new Probe(form, &log);
  t->SetName("Timer1");
  auto* l = new Probe(form, &log);
  l->SetName("Label1");
  EXPECT_TRUE(t->ComponentState().Contains(csLoading));
  log.clear();
  form->EndLoading();
  EXPECT_FALSE(t->ComponentState().Contains(csLoading));
  EXPECT_FALSE(form->ComponentState().Contains(csLoading));
  EXPECT_EQ(log, (std::vector<std::string>{"Timer1 loaded", "Label1 loaded", "Form1 loaded"}));
  form->Free();
}

namespace {
bool g_child_saw_destroying = false;
struct Child : TComponent {
  using TComponent::TComponent;
  ~Child() override {
    g_child_saw_destroying = Owner() == nullptr && ComponentState().Contains(csDestroying);
  }
};
} // namespace

TEST(ComponentModel, DestroyingIsVisibleToOwnedComponents) {
  auto* form = new TComponent(nullptr);
  new Child(form);
  form->Free();
  EXPECT_TRUE(g_child_saw_destroying);
}

// --- Collections ----------------------------------------------------------------

namespace {
struct Band : TCollectionItem {
  explicit Band(TCollection* c) : TCollectionItem(c) {}
  int gain = 0;
  void Assign(TPersistent* src) override {
    if (auto* b = dynamic_cast<Band*>(src))
      gain = b->gain;
    else
      TCollectionItem::Assign(src);
  }
  void SetGain(int g) {
    gain = g;
    Changed(false);
  }
};
} // namespace

TEST(CollectionTest, AddDeleteIndexAndIds) {
  TCollection c(classlib::CollectionItemFactory<Band>());
  auto* a = static_cast<Band*>(c.Add());
  auto* b = static_cast<Band*>(c.Add());
  auto* d = static_cast<Band*>(c.Insert(0));
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(d->Index(), 0);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(d->ID(), 2);
  c.Delete(1);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Items(1), b);
  EXPECT_EQ(c.FindItemID(1), b);
  EXPECT_EQ(c.FindItemID(0), nullptr);
  EXPECT_EQ(c.Add()->ID(), 3); // ids are not reused
  EXPECT_THROW(c.Delete(7), EListError);
  b->SetIndex(0);
  EXPECT_EQ(c.Items(0), b);
  delete d; // an item deleted directly leaves the collection
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(b->DisplayName(), "(anonymous namespace)::Band");
  b->SetDisplayName("Bass");
  EXPECT_EQ(b->DisplayName(), "Bass");
}

TEST(CollectionTest, UpdatesAreBatchedAndNameTheItem) {
  TCollection c(classlib::CollectionItemFactory<Band>());
  std::vector<TCollectionItem*> seen;
  c.OnUpdate = [&](TCollection*, TCollectionItem* i) { seen.push_back(i); };
  auto* a = static_cast<Band*>(c.Add());
  EXPECT_EQ(seen, (std::vector<TCollectionItem*>{nullptr}));
  seen.clear();
  a->SetGain(5);
  EXPECT_EQ(seen, (std::vector<TCollectionItem*>{a}));
  seen.clear();
  c.BeginUpdate();
  c.Add();
  c.Add();
  a->SetGain(6);
  EXPECT_TRUE(seen.empty());
  c.EndUpdate();
  EXPECT_EQ(seen, (std::vector<TCollectionItem*>{nullptr}));
}

TEST(CollectionTest, AssignCopiesItems) {
  TCollection a(classlib::CollectionItemFactory<Band>()),
      b(classlib::CollectionItemFactory<Band>());
  static_cast<Band*>(a.Add())->gain = 3;
  static_cast<Band*>(a.Add())->gain = -2;
  b.Add();
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(static_cast<Band*>(b.Items(1))->gain, -2);
  TStringList notACollection;
  EXPECT_THROW(b.Assign(&notACollection), EConvertError);
}

// --- String lists -------------------------------------------------------------

TEST(StringListTest, BasicEditing) {
  TStringList l;
  l.Add("one");
  l.Add("two");
  l.Insert(0, "zero");
  EXPECT_EQ(l.Count(), 3);
  EXPECT_EQ(l.Strings(0), "zero");
  l.Delete(1);
  EXPECT_EQ(l.Text(), "zero\r\ntwo\r\n");
  l.SetStrings(1, "ДВА");
  EXPECT_EQ(l.IndexOf("два"), 1);
  EXPECT_EQ(l.IndexOf("three"), -1);
  EXPECT_THROW(l.Strings(2), EListError);
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.Insert(5, "x"), EListError);
  l.Move(1, 0);
  EXPECT_EQ(l.Strings(0), "ДВА");
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringListTest, TextSplitsEveryLineEnd) {
  TStringList l;
  l.SetText("a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(l.Count(), 6);
  EXPECT_EQ(l.Strings(4), "");
  EXPECT_EQ(l.Strings(5), "e");
  l.SetText("only\r\n");
  EXPECT_EQ(l.Count(), 1);
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringListTest, OnChangeFiresOncePerEditAndOncePerUpdateBlock) {
  TStringList l;
  int changing = 0, changed = 0;
  l.OnChanging = [&](TObject* s) {
    ++changing;
    EXPECT_EQ(s, &l);
  };
  l.OnChange = [&](TObject*) { ++changed; };
  l.Add("a");
  l.Add("b");
  l.Delete(0);
  EXPECT_EQ(changed, 3);
  EXPECT_EQ(changing, 3);
  changed = changing = 0;
  l.BeginUpdate();
  l.Add("c");
  l.BeginUpdate();
  l.Add("d");
  l.EndUpdate();
  EXPECT_EQ(changed, 0);
  l.EndUpdate();
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(changing, 1);
  changed = 0;
  l.SetText("x\ny\nz");
  EXPECT_EQ(changed, 1);
}

TEST(StringListTest, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList l;
  l.SetSorted(true);
  l.Add("b");
  l.Add("A");
  l.Add("c");
  EXPECT_EQ(l.CommaText(), "A,b,c");
  EXPECT_EQ(l.Add("B"), 1); // dupIgnore: the existing entry
  EXPECT_EQ(l.Count(), 3);
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.Add("a"), EListError);
  l.SetDuplicates(dupAccept);
  l.Add("a");
  EXPECT_EQ(l.Count(), 4);
  EXPECT_THROW(l.Insert(0, "x"), EListError);
  int at;
  EXPECT_FALSE(l.Find("bb", at));
  EXPECT_EQ(at, 3);
}

TEST(StringListTest, ObjectsNamesValuesAndCommaText) {
  TStringList l;
  l.OwnsObjects = true;
  auto* o = new TStringList;
  l.AddObject("x", o);
  EXPECT_EQ(l.Objects(0), o);
  EXPECT_EQ(l.IndexOfObject(o), 0);
  l.Delete(0); // frees o (checked by the sanitizer build)
  l.Add("k1=v1");
  l.SetValues("k2", "v2");
  EXPECT_EQ(l.Values("K1"), "v1");
  EXPECT_EQ(l.Names(1), "k2");
  l.SetValues("k1", "");
  EXPECT_EQ(l.Count(), 1);
  l.SetCommaText("a, \"b c\",\"d\"\"e\",,");
  EXPECT_EQ(l.Count(), 5);
  EXPECT_EQ(l.Strings(1), "b c");
  EXPECT_EQ(l.Strings(2), "d\"e");
  EXPECT_EQ(l.CommaText(), "a,\"b c\",\"d\"\"e\",\"\",\"\"");
  TStringList copy;
  copy.Assign(&l);
  EXPECT_EQ(copy.Text(), l.Text());
}

TEST(StringListTest, AssignIsOneChangeAndAssigningItselfKeepsTheLines) {
  TStringList src;
  src.Add("a");
  src.Add("b");
  TStringList l;
  l.Add("x");
  int changes = 0;
  l.OnChange = [&](TObject*) { ++changes; };
  l.Assign(&src);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(l.Text(), src.Text());
  l.Assign(&l);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(l.Text(), src.Text());
  TCollection notStrings(classlib::CollectionItemFactory<Band>());
  EXPECT_THROW(l.Assign(&notStrings), EConvertError);
  EXPECT_EQ(l.Text(), src.Text());
}

namespace {
// Frees itself from its own event, as a window closed by its own button does.
struct SelfFreeing : TComponent {
  using TComponent::TComponent;
  std::function<void()> OnEvent;
  int afterEvent = 0;
  // Raises the event and goes on only while it still lives.
  void Raise(bool& outlived) {
    const TLifeToken life = LifeToken();
    OnEvent();
    outlived = static_cast<bool>(life);
    if (!life) return;
    ++afterEvent;
  }
};

struct EndsLifeEarly : TComponent {
  using TComponent::TComponent;
  bool* seenAlive = nullptr;
  TLifeToken token = LifeToken();
  ~EndsLifeEarly() override {
    EndLife();
    *seenAlive = static_cast<bool>(token);
  }
};
} // namespace

TEST(ComponentModel, ALifeTokenTellsWhetherTheComponentOutlivedItsEvent) {
  auto* c = new SelfFreeing(nullptr);
  bool outlived = false;
  c->OnEvent = [] {};
  c->Raise(outlived);
  EXPECT_TRUE(outlived);
  EXPECT_EQ(c->afterEvent, 1);
  c->OnEvent = [c] { delete c; };
  c->Raise(outlived);
  EXPECT_FALSE(outlived);
  // The owner freeing it counts too, and a token outlives the component.
  TComponent owner(nullptr);
  auto* owned = new SelfFreeing(&owner);
  const TLifeToken kept = owned->LifeToken();
  EXPECT_TRUE(static_cast<bool>(kept));
  owner.DestroyComponents();
  EXPECT_FALSE(static_cast<bool>(kept));
  // A class may end its life first thing in its own destructor.
  bool seenAlive = true;
  auto* early = new EndsLifeEarly(nullptr);
  early->seenAlive = &seenAlive;
  delete early;
  EXPECT_FALSE(seenAlive);
}
