// The main window's alert: each new stream title pops up in Alert1. The
// title is network data: it is escaped, so "<", ">" and "&" in it show as
// themselves and no tag of it draws anything or reads a file.
#include "components/AlertMarkup.h"
#include "player/Unit1.h"

void TForm1::ShowTitleInAlert(TStrings* Text) {
  if (!Alert1 || Alert1->AlertMessages()->Count() == 0) return;
  TStringList escaped;
  for (int i = 0; i < Text->Count(); ++i) escaped.Add(markup::EscapeMarkup(Text->Strings(i)));
  Alert1->AlertMessages()->Items(0)->SetText(&escaped);
  Alert1->Show();
}
