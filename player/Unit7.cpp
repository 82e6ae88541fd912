// TForm7: the station-list window's handlers (layout in Unit7.form.cpp).
#include "player/Unit7.h"

#include "classlib/SysUtils.h"
#include "components/Magnetic.h"
#include "player/PlayerFolderCore.h"
#include "player/Unit1.h"
#include "player/Unit6.h"

TForm7* Form7 = nullptr;

namespace {

const char kMainFile[] = "k1.ini";
const char kOwnFile[] = "favoritkanel.ini";

// Runs each file operation of a load or save in turn, so one failing file
// does not keep the other from being read or written, and then reports
// every failure in one error.
class FileFailures {
 public:
  template <class Op>
  bool Run(Op op) {
    try {
      op();
      return true;
    } catch (const EInOutError& e) {
      if (!message_.empty()) message_ += "\r\n";
      message_ += e.Message();
      if (!code_) code_ = e.ErrorCode;
      last_code_ = e.ErrorCode;
      return false;
    }
  }
  int LastCode() const { return last_code_; }
  void RaiseAny() const {
    if (!message_.empty()) throw EInOutError(message_, code_);
  }

 private:
  std::string message_;
  int code_ = 0, last_code_ = 0;
};

} // namespace

void TForm7::AppendStation(TListView* Store, TListBox* Lines, const StationEntry& Entry,
                           const std::string& Line) {
  TListItem* item = Store->Items()->Add();
  item->SetCaption(Entry.Address);
  item->SubItems()->Add(Entry.Name);
  Lines->Items()->Add(Line);
}

void TForm7::DeleteStation(TListView* Store, TListBox* Lines, int Index) {
  Store->Items()->Delete(Index);
  Lines->Items()->Delete(Index);
}

StationEntry TForm7::StoredStation(TListView* Store, int Index) {
  TListItem* item = Store->Items()->Item(Index);
  TStrings* sub = item->SubItems();
  return {item->Caption(), sub->Count() ? sub->Strings(0) : std::string()};
}

std::vector<StationEntry> TForm7::Stations(TListView* Store) {
  std::vector<StationEntry> list;
  for (int i = 0; i < Store->Items()->Count(); ++i) list.push_back(StoredStation(Store, i));
  return list;
}

std::string TForm7::AddressAt(int List, int Index) {
  TListItems* items = (List == 2 ? ListView2 : ListView1)->Items();
  return Index >= 0 && Index < items->Count() ? items->Item(Index)->Caption() : std::string();
}

void TForm7::LoadStationLists() {
  slistbox1->Clear();
  listbox2->Clear();
  ListView1->Items()->Clear();
  ListView2->Items()->Clear();
  edit_index_ = -1;
  FileFailures failures;
  auto load = [&](const char* file, TListView* store, TListBox* lines, bool& keep) {
    std::vector<StationEntry> entries;
    // A missing file (or folder) holds no stations and may be written anew.
    bool read = failures.Run([&] { ReadStationFile(IniFile(file), entries); });
    keep = !read && failures.LastCode() != 2 && failures.LastCode() != 3;
    lines->Items()->BeginUpdate();
    for (const StationEntry& e : entries)
      AppendStation(store, lines, e, StationLine(lines->Count() + 1, e.Name));
    lines->Items()->EndUpdate();
  };
  load(kMainFile, ListView1, slistbox1, keep_main_file_);
  load(kOwnFile, ListView2, listbox2, keep_own_file_);
  failures.RaiseAny();
}

void TForm7::SaveStationLists() {
  FileFailures failures;
  if (!keep_main_file_)
    failures.Run([&] { WriteStationFile(IniFile(kMainFile), Stations(ListView1)); });
  if (!keep_own_file_)
    failures.Run([&] { WriteStationFile(IniFile(kOwnFile), Stations(ListView2)); });
  failures.RaiseAny();
}

namespace {
// What the main window's road takes of the station at Index of list 1 or 2.
TStationEntry Entry(TForm7* f, int List, int Index) {
  TListBox* lines = List == 2 ? f->listbox2 : f->slistbox1;
  if (Index < 0 || Index >= lines->Count()) return {};
  return {Index, lines->Items()->Strings(Index), f->AddressAt(List, Index)};
}
} // namespace

TForm7::~TForm7() {
  // The main window asks the lists through these; they must not outlive them.
  if (StationListForm != this) return;
  StationListForm = nullptr;
  SelectedStation = nullptr;
  StationAt = nullptr;
}

void TForm7::FormCreate(TObject* Sender) {
  StationListForm = this;
  SelectedStation = [this](int List) {
    return Entry(this, List, (List == 2 ? listbox2 : slistbox1)->ItemIndex());
  };
  StationAt = [this](int List, int Index) { return Entry(this, List, Index); };
  if (MagneticInstance && MainWnd) MagneticInstance->AddWindow(Handle(), MainWnd);
  LoadStationLists();
}

void TForm7::FormClose(TObject* Sender, TCloseAction& Action) { SaveStationLists(); }

void TForm7::slistbox1DblClick(TObject* Sender) {
  if (Form1) Form1->PlayFromMainList();
}

void TForm7::listbox2DblClick(TObject* Sender) {
  if (Form1) Form1->PlayFromMyList();
}

void TForm7::ShowAddPanel() {
  sGroupBox1->Show();
  sEdit1->SetFocus();
}

void TForm7::N1Click(TObject* Sender) {
  ShowAddPanel();
  EditMode = false;
  edit_index_ = -1;
}

void TForm7::N5Click(TObject* Sender) {
  ShowAddPanel();
  const int i = slistbox1->ItemIndex();
  if (i < 0) return;
  const StationEntry e = StoredStation(ListView1, i);
  sEdit1->SetText(e.Name);
  sEdit2->SetText(e.Address);
  EditMode = true;
  // The station shown in the fields is the one changed, even when another
  // line gets selected while the panel is open.
  edit_index_ = i;
}

void TForm7::sButton1Click(TObject* Sender) {
  // Text the code page lacks is stored as '?'; the lists are read back
  // below, so the line shows what the file now holds.
  const std::string name = sEdit1->GetText(), address = sEdit2->GetText();
  if (name.empty() || address.empty()) return;
  if (!EditMode) {
    AppendStation(ListView1, slistbox1, {address, name}, StationLine(slistbox1->Count() + 1, name));
    keep_main_file_ = false;
  } else if (edit_index_ >= 0 && edit_index_ < ListView1->Items()->Count()) {
    TListItem* item = ListView1->Items()->Item(edit_index_);
    item->SetCaption(address);
    item->SubItems()->SetStrings(0, name);
    slistbox1->Items()->SetStrings(edit_index_, StationLine(edit_index_ + 1, name));
    keep_main_file_ = false;
  }
  sGroupBox1->Hide();
  SaveStationLists();
  LoadStationLists();
}

void TForm7::sButton2Click(TObject* Sender) { sGroupBox1->Hide(); }

void TForm7::N6Click(TObject* Sender) {
  const int i = slistbox1->ItemIndex();
  if (i < 0) return;
  const StationEntry e = StoredStation(ListView1, i);
  AppendStation(ListView2, listbox2, e, CopiedStationLine(listbox2->Count() + 1, e.Name));
  keep_own_file_ = false;
  SaveStationLists();
}

void TForm7::N2Click(TObject* Sender) {
  const int i = slistbox1->ItemIndex();
  if (i < 0) return;
  DeleteStation(ListView1, slistbox1, i);
  keep_main_file_ = false;
  SaveStationLists();
  LoadStationLists();
}

void TForm7::N3Click(TObject* Sender) {
  const int i = listbox2->ItemIndex();
  if (i < 0) return;
  DeleteStation(ListView2, listbox2, i);
  keep_own_file_ = false;
  SaveStationLists();
}

void TForm7::N10Click(TObject* Sender) {
  if (Form6) Form6->Show();
}
