// TForm6: the search window over the main station list. "Поиск" lists the
// main list's lines that hold the query (letter case folded by the code
// page's rules); a double-click on a result plays that station.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skins/sCustomButton.h"

class TForm6 : public TForm {
 public:
  using TForm::TForm;

  TLabel* Label1 = nullptr;     // heading
  TListBox* ListBox1 = nullptr; // results
  TLabel* Label2 = nullptr;     // "Введите название радио для поиска:"
  TEdit* Edit1 = nullptr;       // the query
  skins::TsButton* sButton1 = nullptr; // "Поиск"
  skins::TsButton* sButton2 = nullptr; // "Закрыть"

  void SearchStations();

  void sButton1Click(TObject* Sender);
  void sButton2Click(TObject* Sender);
  void ListBox1DblClick(TObject* Sender);

 protected:
  void CreateLayout() override;
};

extern TForm6* Form6;
