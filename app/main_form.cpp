#include "app/main_form.h"

#include "app/layout_resources.h"
#include "util/format.h"

namespace {
constexpr char kProductName[] = "Tessaly";
}

TMainForm::TMainForm() : ui::Form("MainForm") {
    ui::ApplyLayout(*this, LoadLayoutResource("MainForm"), InstallerComponentKinds(), Handlers());
}

ui::HandlerTable TMainForm::Handlers() {
    return {
        {"FormCreate", [this] { FormCreate(); }},
    };
}

void TMainForm::FormCreate() {
    SetCaption(Format("Vantrel %s Installer", {kProductName}));
}
