// The connection-error window (see Unit3.h).
#include "player/Unit3.h"

#include "player/Unit1.h"

TForm3* Form3 = nullptr;

void TForm3::DoShow() {
  // Centred on the main window each time it comes up.
  if (Form1) {
    SetLeft(Form1->Left() + (Form1->Width() - Width()) / 2);
    SetTop(Form1->Top() + (Form1->Height() - Height()) / 2);
  }
  TForm::DoShow();
}
