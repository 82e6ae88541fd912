// TForm3: the connection-error window "Не вижу сервера", shown (not modal)
// when a station's address cannot be opened and closed again by the next
// opening that succeeds. It has no code of its own.
#pragma once

#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"

class TForm3 : public TForm {
 public:
  using TForm::TForm;
  TPanel* Panel1 = nullptr;

 protected:
  void CreateLayout() override;
  void DoShow() override;
};

extern TForm3* Form3;
