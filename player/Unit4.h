// TForm4: the window of recorded files "Список записанных файлов", one grid
// row per file of the current recording (number, name, size), kept in
// "INI\zapisano.ini" across runs. The recording engine fills it through the
// queue of the main window's unit (SetRecordedFilesTarget); the rules of the
// rows, their colours and the list file are in RecordedListCore.h. It sticks
// to the main window, which shows it one second after start, from its link
// and at every record start.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgGridWin.h"
#include "player/RecordedListCore.h"

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* AOwner);
  ~TForm4() override;

  TDataGridWindow* DataGrid1 = nullptr;
  TDgTextColumn* DgTextColumn1 = nullptr;
  TDgTextColumn* DgTextColumn2 = nullptr;
  TDgTextColumn* DgTextColumn3 = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N1 = nullptr;
  TTimer* Timer1 = nullptr;

  // A new row for a file of the recording (Windows-1251 name): numbered,
  // size "0.0", scrolled to and selected; the list is saved.
  void AddRecordedFile(const std::string& Name);
  void SaveRecordedList();
  void LoadRecordedList();
  // The rows as the recording engine sees them.
  TRecordedList& List();

  void FormCreate(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void N1Click(TObject* Sender);
  void DataGrid1CellFormating(TObject* Sender, int ACol, int ARow, TColor& TextColor,
                              TFontStyles& FontStyle, TCellState CellState);

  // How a folder is opened for the person: the shell's "explore" verb,
  // no owner window, shown. Tests put a recorder here.
  std::function<void(const std::string& Folder, const std::string& Verb, int Show)> ShellRequest;

 protected:
  void CreateLayout() override;
  void WndProc(TMessage& Message) override;

 private:
  class TGridRows;
  class TView;
  // The list over the grid (the layout calls it once the grid exists).
  void BindList();
  // A save that failed while the engine's changes were applied: reported
  // once they are all applied, so that no message box runs inside them.
  void ReportLater(const std::string& Text);

  std::unique_ptr<TGridRows> rows_;
  std::unique_ptr<TView> view_;
  std::string pending_report_;
};

extern TForm4* Form4;
