#pragma once

#include <functional>
#include <string>

#include "ui/form.h"
#include "ui/layout.h"

namespace ui {
class Application;
class Edit;
class Image;
class Label;
class PageControl;
}  // namespace ui

// The installer's main window: a welcome page and a folder page beside a
// side panel with the logo. It owns the user's folder choice: it checks that
// the folder lies on a usable drive, hides itself while the installation
// runs, and closes after a run that succeeded (which ends the program) or
// comes back on the folder page after one that did not.
class TMainForm : public ui::Form {
  public:
    // The installation run: takes the folder, shows its own messages and
    // returns whether it succeeded; tests pass their own.
    using InstallRun = std::function<bool(const std::string& folder)>;

    TMainForm(ui::Application& application, InstallRun run);

    // Event handlers, bound by name from the layout.
    void FormCreate();
    void btnSetupClick();
    void btnCancelClick();
    void btnBrowseClick();
    void btnInstallClick();

    // Paints the logo on the image's own bitmap: a red square in a yellow
    // frame with a white bold "T+" in the middle.
    // Centres the labels on their texts and draws the logo, at the form's dpi.
    void PlaceAtDpi();
    void DrawLogo();
    // True when the folder's drive may take the installation and the
    // installed program can be given the folder's name; otherwise says why
    // in a message box.
    bool CheckInstallFolder(const std::string& folder);

  private:
    ui::HandlerTable Handlers();
    void BindComponents();
    std::string DefaultInstallFolder() const;
    // The run, with a failure it raises shown in the application's error
    // box; such a run has failed.
    bool RunGuarded(const std::string& folder);

    ui::Application& application_;
    InstallRun run_;

    ui::Image* Image1_ = nullptr;
    ui::Label* lbP1Progname_ = nullptr;
    ui::Label* lbP1ProgVer_ = nullptr;
    ui::PageControl* PageControl1_ = nullptr;
    ui::Label* lbIns1_ = nullptr;
    ui::Label* lbIns2_ = nullptr;
    ui::Edit* edInstallDir_ = nullptr;
};
