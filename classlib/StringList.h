// TStrings (the list-of-lines interface that list boxes and memos also
// implement) and TStringList (the stand-alone list with OnChange, sorting and
// an object per line).
#pragma once

#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Forward.h"

class TStrings : public TPersistent {
 public:
  // --- What a concrete list provides --------------------------------------------
  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  // --- Built on the above ----------------------------------------------------------
  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* O) { PutObject(Index, O); }
  virtual int Add(const std::string& S);
  int AddObject(const std::string& S, TObject* AObject);
  void InsertObject(int Index, const std::string& S, TObject* AObject);
  void AddStrings(const TStrings& Other);
  void Append(const std::string& S) { Add(S); }
  virtual int IndexOf(const std::string& S) const; // case-insensitive, -1 when absent
  int IndexOfObject(TObject* AObject) const;
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  bool Empty() const { return Count() == 0; }

  // Every line followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  virtual void SetText(const std::string& Value);
  // Lines joined by commas, quoted when they hold a blank, comma or quote.
  std::string CommaText() const;
  void SetCommaText(const std::string& Value);
  // "name=value" lines.
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  void SetValues(const std::string& Name, const std::string& Value);
  int IndexOfName(const std::string& Name) const;

  // Raise EInOutError when the file can't be read or written.
  virtual void LoadFromFile(const std::string& FileName);
  virtual void SaveToFile(const std::string& FileName) const;
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

  // Nested pairs defer change notification until the outermost EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  void Assign(TPersistent* Source) override;

 protected:
  // Called when the first BeginUpdate starts (true) and the last ends (false).
  virtual void SetUpdateState(bool Updating) {}
  [[noreturn]] void IndexError(int Index) const;

 private:
  int update_count_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  int Add(const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const std::string& S) const override;
  void SetText(const std::string& Value) override;
  void LoadFromFile(const std::string& FileName) override;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  void Sort();
  // Binary search of a sorted list: true and the index when found, else
  // false and the index where S belongs.
  bool Find(const std::string& S, int& Index) const;
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
  bool CaseSensitive() const { return case_sensitive_; }
  void SetCaseSensitive(bool Value);
  // When set, the list deletes the objects it holds as lines go.
  bool OwnsObjects = false;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  int Compare(const std::string& a, const std::string& b) const;
  void CheckIndex(int Index) const;
  void FreeObject(TObject* o);
  std::vector<Item> items_;
  bool sorted_ = false;
  bool case_sensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
