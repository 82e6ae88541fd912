// TForm7: the station-list window. Two pages: "Основные каналы" (the main
// list, which the user edits through its popup menu and the add panel) and
// "Мои каналы" (the own list, filled by copying from the main list). A
// double-click on a line plays that station through the main window.
//
// Each list is kept twice at the same index: a hidden list view (item
// caption = address, first sub-item = name) and a visible list box ("N Name").
// Every change goes through AppendStation / DeleteStation, so the two never
// fall out of step; the lists are written to "INI\k1.ini" and
// "INI\favoritkanel.ini" on every change and when the window closes.
#pragma once

#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "player/StationListCore.h"
#include "skins/sCustomButton.h"
#include "skins/sCustomLabel.h"
#include "skins/sEdit.h"
#include "skins/sGroupBox.h"
#include "skins/sPageControl.h"

class TForm7 : public TForm {
 public:
  using TForm::TForm;
  ~TForm7() override;

  skins::TsPageControl* sPageControl1 = nullptr;
  skins::TsTabSheet* sTabSheet1 = nullptr; // "Основные каналы"
  skins::TsTabSheet* sTabSheet2 = nullptr; // "Мои каналы"
  TListBox* slistbox1 = nullptr;
  TListBox* listbox2 = nullptr;
  TListView* ListView1 = nullptr; // hidden: the main list's addresses and names
  TListView* ListView2 = nullptr; // hidden: the own list's
  skins::TsGroupBox* sGroupBox1 = nullptr;
  skins::TsLabel* sLabel1 = nullptr;
  skins::TsLabel* sLabel2 = nullptr;
  skins::TsEdit* sEdit1 = nullptr; // name
  skins::TsEdit* sEdit2 = nullptr; // address
  skins::TsButton* sButton1 = nullptr;
  skins::TsButton* sButton2 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N5 = nullptr;
  TMenuItem* N6 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* N10 = nullptr;
  TPopupMenu* PopupMenu2 = nullptr;
  TMenuItem* N3 = nullptr;

  // Set: the add panel changes the station it was opened on; clear: it adds one.
  bool EditMode = false;

  void LoadStationLists();
  void SaveStationLists();
  // The address of station Index of list 1 (main) or 2 (own); "" when there
  // is none.
  std::string AddressAt(int List, int Index);

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void slistbox1DblClick(TObject* Sender);
  void listbox2DblClick(TObject* Sender);
  void N1Click(TObject* Sender);
  void N5Click(TObject* Sender);
  void N6Click(TObject* Sender);
  void N2Click(TObject* Sender);
  void N3Click(TObject* Sender);
  void N10Click(TObject* Sender);
  void sButton1Click(TObject* Sender);
  void sButton2Click(TObject* Sender);

 protected:
  void CreateLayout() override;

 private:
  static void AppendStation(TListView* Store, TListBox* Lines, const StationEntry& Entry,
                            const std::string& Line);
  static void DeleteStation(TListView* Store, TListBox* Lines, int Index);
  static StationEntry StoredStation(TListView* Store, int Index);
  static std::vector<StationEntry> Stations(TListView* Store);
  void ShowAddPanel();
  // The main-list station the panel was opened on in edit mode, or -1.
  int edit_index_ = -1;
  // A list whose file exists but could not be read is not written back (it
  // would replace the stored stations with the few read) until the user
  // changes that list.
  bool keep_main_file_ = false, keep_own_file_ = false;
};

extern TForm7* Form7;
