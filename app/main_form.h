#pragma once

#include "ui/form.h"
#include "ui/layout.h"

// The installer's main window: a welcome page and a folder page beside a side
// panel. Built from its layout; closing it ends the program.
class TMainForm : public ui::Form {
  public:
    TMainForm();

    // Creation handler: fills the texts that depend on the product.
    void FormCreate();

  private:
    ui::HandlerTable Handlers();
};
