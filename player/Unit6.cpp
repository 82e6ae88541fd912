// TForm6: the search window's handlers (layout in Unit6.form.cpp).
#include "player/Unit6.h"

#include "classlib/Dialogs.h"
#include "player/StationListCore.h"
#include "player/Unit1.h"
#include "player/Unit7.h"

TForm6* Form6 = nullptr;

void TForm6::SearchStations() {
  ListBox1->Clear();
  const std::string query = Edit1->GetText();
  TStrings* lines = Form7->slistbox1->Items();
  std::vector<std::string> all;
  for (int i = 0; i < lines->Count(); ++i) all.push_back(lines->Strings(i));
  ListBox1->Items()->BeginUpdate();
  for (const std::string& found : SearchStationLines(query, all)) ListBox1->Items()->Add(found);
  ListBox1->Items()->EndUpdate();
  if (ListBox1->Count() == 0) ShowMessage("Данных по вашему запросу не найдены");
}

void TForm6::sButton1Click(TObject* Sender) { SearchStations(); }

void TForm6::sButton2Click(TObject* Sender) { Close(); }

void TForm6::ListBox1DblClick(TObject* Sender) {
  const int i = ListBox1->ItemIndex();
  if (i < 0) return;
  // The number names the station; a line whose number is missing or names
  // no station of the main list (changed since the search) plays nothing.
  const int station = ResultLineIndex(ListBox1->Items()->Strings(i), Form7->slistbox1->Count());
  if (station < 0) return;
  Form7->slistbox1->SetItemIndex(station);
  if (Form1) Form1->PlayFromMainList();
}
