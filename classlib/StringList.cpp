// TStrings and TStringList (see StringList.h).
#include "classlib/StringList.h"

#include <algorithm>

#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

// --- TStrings ------------------------------------------------------------------------

void TStrings::IndexError(int Index) const {
  throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* o = GetObject(Index);
  BeginUpdate();
  Delete(Index);
  InsertObject(Index, S, o);
  EndUpdate();
}

TObject* TStrings::GetObject(int Index) const { return nullptr; }
void TStrings::PutObject(int Index, TObject* AObject) {}

int TStrings::Add(const std::string& S) {
  int n = Count();
  Insert(n, S);
  return n;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Other) {
  BeginUpdate();
  for (int i = 0; i < Other.Count(); ++i) AddObject(Other.Get(i), Other.GetObject(i));
  EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), S)) return i;
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  std::string s1 = Get(Index1), s2 = Get(Index2);
  TObject *o1 = GetObject(Index1), *o2 = GetObject(Index2);
  Put(Index1, s2);
  PutObject(Index1, o2);
  Put(Index2, s1);
  PutObject(Index2, o1);
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  std::string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
  EndUpdate();
}

std::string TStrings::Text() const {
  std::string r;
  for (int i = 0; i < Count(); ++i) r += Get(i) + "\r\n";
  return r;
}

void TStrings::SetText(const std::string& Value) {
  BeginUpdate();
  Clear();
  size_t i = 0, n = Value.size();
  while (i < n) {
    size_t start = i;
    while (i < n && Value[i] != '\r' && Value[i] != '\n') ++i;
    Add(Value.substr(start, i - start));
    if (i < n && Value[i] == '\r') ++i;
    if (i < n && Value[i] == '\n') ++i;
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string r;
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
    for (char c : s)
      if (static_cast<unsigned char>(c) < ' ') quote = true;
    if (i) r += ',';
    r += quote ? "\"" + classlib::StringReplaceAll(s, "\"", "\"\"") + "\"" : s;
  }
  return r;
}

void TStrings::SetCommaText(const std::string& Value) {
  BeginUpdate();
  Clear();
  size_t i = 0, n = Value.size();
  auto blank = [&](size_t k) { return static_cast<unsigned char>(Value[k]) <= ' '; };
  while (i < n && blank(i)) ++i;
  while (i < n) {
    std::string item;
    if (Value[i] == '"') {
      ++i;
      while (i < n) {
        if (Value[i] == '"') {
          if (i + 1 < n && Value[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += Value[i++];
      }
      while (i < n && Value[i] != ',' && !blank(i)) item += Value[i++];
    } else {
      while (i < n && Value[i] != ',' && !blank(i)) item += Value[i++];
    }
    Add(item);
    while (i < n && blank(i)) ++i;
    if (i < n && Value[i] == ',') {
      ++i;
      while (i < n && blank(i)) ++i;
      if (i == n) Add("");
    }
  }
  EndUpdate();
}

std::string TStrings::Names(int Index) const {
  std::string s = Get(Index);
  size_t p = s.find('=');
  return p == std::string::npos ? "" : s.substr(0, p);
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    size_t p = s.find('=');
    if (p != std::string::npos && SameText(s.substr(0, p), Name)) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? "" : Get(i).substr(Get(i).find('=') + 1);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(Name + "=" + Value);
  } else {
    Put(i, Name + "=" + Value);
  }
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  TFileStream f(FileName, fmCreate);
  SaveToStream(f);
}

void TStrings::LoadFromStream(TStream& Stream) {
  int64_t n = Stream.Size() - Stream.Position();
  std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) Stream.ReadBuffer(&s[0], n);
  SetText(s);
}

void TStrings::SaveToStream(TStream& Stream) const {
  std::string s = Text();
  Stream.WriteBuffer(s.data(), static_cast<int64_t>(s.size()));
}

void TStrings::BeginUpdate() {
  // The hook runs before the count goes up, so Changing still fires.
  if (update_count_ == 0) SetUpdateState(true);
  ++update_count_;
}

void TStrings::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
  AssignList(this, Source, [this](TStrings& other) { AddStrings(other); });
}

// --- TStringList ----------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (OwnsObjects)
    for (Item& it : items_) FreeObject(it.object);
}

void TStringList::FreeObject(TObject* o) {
  if (o) o->Free();
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
}

int TStringList::Compare(const std::string& a, const std::string& b) const {
  if (case_sensitive_) return a < b ? -1 : a > b ? 1 : 0;
  return AnsiCompareText(a, b);
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return items_[static_cast<size_t>(Index)].text;
}

void TStringList::Put(int Index, const std::string& S) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  Changing();
  items_[static_cast<size_t>(Index)].text = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return items_[static_cast<size_t>(Index)].object;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  TObject*& slot = items_[static_cast<size_t>(Index)].object;
  if (OwnsObjects && slot != AObject) FreeObject(slot);
  slot = AObject;
  Changed();
}

int TStringList::Add(const std::string& S) {
  int index = Count();
  if (sorted_ && Find(S, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EListError("String list does not allow duplicates");
  }
  Changing();
  items_.insert(items_.begin() + index, Item{S, nullptr});
  Changed();
  return index;
}

void TStringList::Insert(int Index, const std::string& S) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > Count()) IndexError(Index);
  Changing();
  items_.insert(items_.begin() + Index, Item{S, nullptr});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* o = items_[static_cast<size_t>(Index)].object;
  items_.erase(items_.begin() + Index);
  if (OwnsObjects) FreeObject(o);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  if (OwnsObjects)
    for (Item& it : old) FreeObject(it.object);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(items_[static_cast<size_t>(Index1)], items_[static_cast<size_t>(Index2)]);
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (sorted_) {
    int i;
    return Find(S, i) ? i : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (Compare(items_[static_cast<size_t>(i)].text, S) == 0) return i;
  return -1;
}

void TStringList::SetText(const std::string& Value) {
  BeginUpdate();
  TStrings::SetText(Value);
  EndUpdate();
}

void TStringList::LoadFromFile(const std::string& FileName) {
  BeginUpdate();
  try {
    TStrings::LoadFromFile(FileName);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = Compare(items_[static_cast<size_t>(mid)].text, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == sorted_) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == case_sensitive_) return;
  case_sensitive_ = Value;
  if (sorted_) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
