#include "app/main_form.h"

#include <stdexcept>

#include "integration/dos_folder.h"
#include "messages/message_boxes.h"
#include "platform/platform.h"
#include "ui/application.h"
#include "ui/center_label.h"
#include "ui/dpi.h"
#include "ui/edit.h"
#include "ui/folder_browser.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "util/format.h"
#include "util/product.h"
#include "util/shell_helpers.h"
#include "widgets/layout_resources.h"

namespace {

constexpr int kWelcomePage = 0;
constexpr int kFolderPage = 1;
constexpr int kLogoPenWidth = 10;
constexpr char kLogoText[] = "T+";
constexpr char kBrowseText[] =
    "Change Install Folder. Standard Vantrel folders are kr and vantrel\\kr. To install directly "
    "to a Vantrel flash drive, select the drive, then the kr folder.";
constexpr char kInvalidDevice[] = "Install Directory is not on a valid device.";
constexpr char kUnusableName[] =
    "%s is a DOS program, and a DOS program cannot open a folder whose name has the character "
    "\"%s\" in it.\r\n\r\nPlease choose a folder whose name is written with the letters A to "
    "Z, digits and spaces, such as c:\\kr.";

}  // namespace

TMainForm::TMainForm(ui::Application& application, InstallRun run)
    : ui::Form("MainForm"), application_(application), run_(std::move(run)) {
    ui::ApplyLayout(*this, LoadLayoutResource("MainForm"), InstallerComponentKinds(), Handlers());
}

ui::HandlerTable TMainForm::Handlers() {
    return {
        // The components exist once the creation handler runs.
        {"FormCreate",
         [this] {
             BindComponents();
             FormCreate();
         }},
        {"btnSetupClick", [this] { btnSetupClick(); }},
        {"btnCancelClick", [this] { btnCancelClick(); }},
        {"btnBrowseClick", [this] { btnBrowseClick(); }},
        {"btnInstallClick", [this] { btnInstallClick(); }},
    };
}

void TMainForm::BindComponents() {
    Image1_ = ui::Component<ui::Image>(*this, "Image1");
    lbP1Progname_ = ui::Component<ui::Label>(*this, "lbP1Progname");
    lbP1ProgVer_ = ui::Component<ui::Label>(*this, "lbP1ProgVer");
    PageControl1_ = ui::Component<ui::PageControl>(*this, "PageControl1");
    lbIns1_ = ui::Component<ui::Label>(*this, "lbIns1");
    lbIns2_ = ui::Component<ui::Label>(*this, "lbIns2");
    edInstallDir_ = ui::Component<ui::Edit>(*this, "edInstallDir");
}

void TMainForm::FormCreate() {
    PageControl1_->SetActivePageIndex(kWelcomePage);
    SetCaption(Format("Vantrel %s Installer", {kProductName}));
    // Each label is centred after its text is set, so its new width counts.
    lbIns1_->SetCaption("This will install Vantrel Tessaly");
    lbIns2_->SetCaption("Version 3.24 05/11/04");
    lbP1Progname_->SetCaption(kProductName);
    lbP1ProgVer_->SetCaption(kProductVersion);
    PlaceAtDpi();
    edInstallDir_->SetText(DefaultInstallFolder());
    onDpiChanged = [this] { PlaceAtDpi(); };
}

void TMainForm::PlaceAtDpi() {
    CenterLabel(*lbIns1_);
    CenterLabel(*lbIns2_);
    CenterLabel(*lbP1Progname_);
    CenterLabel(*lbP1ProgVer_);
    DrawLogo();
}

// The Windows folder's drive ('C:\' for 'C:\WINDOWS'): 'vantrel\kr' there
// when that folder exists, else 'kr'. Without a Windows folder the prefix is
// empty and the relative text is refused when Install is pressed.
std::string TMainForm::DefaultInstallFolder() const {
    const std::string windows = GetSpecialFolderPath(platform::kCsidlWindows);
    const auto backslash = windows.find('\\');
    const std::string prefix =
        backslash == std::string::npos ? std::string() : windows.substr(0, backslash + 1);
    if (FolderExists(prefix + "vantrel\\kr")) {
        return prefix + "vantrel\\kr";
    }
    return prefix + "kr";
}

void TMainForm::DrawLogo() {
    Image1_->SetDescription(kLogoText);
    ui::Canvas& canvas = Image1_->canvas();
    const int w = Image1_->width();
    const int h = Image1_->height();
    canvas.SetBrush(ui::colors::kRed);
    canvas.FillRect(ui::Rect::FromSize(0, 0, w, h));
    // The pen is centred on the path, so half of it falls outside the bitmap.
    canvas.SetPen(ui::colors::kYellow, ui::ScaleLength(kLogoPenWidth, dpi()));
    canvas.MoveTo(0, 0);
    canvas.LineTo(w, 0);
    canvas.LineTo(w, h);
    canvas.LineTo(0, h);
    canvas.LineTo(0, 0);
    // The face stays the canvas's default one; a positive height is the
    // cell height.
    ui::Font font = canvas.CurrentFont();
    font.height = h - (canvas.PenWidth() * 9) / 2 - 1;
    font.color = ui::colors::kWhite;
    font.bold = true;
    canvas.SetFont(font);
    const ui::Size text = canvas.TextExtent(kLogoText);
    // The text cells are filled with the brush, so they merge with the fill.
    canvas.SetTextBackground(ui::colors::kRed);
    canvas.TextOut((w - text.width + 1) / 2, (h - text.height) / 2, kLogoText);
}

void TMainForm::btnSetupClick() {
    PageControl1_->SetActivePageIndex(kFolderPage);
}

void TMainForm::btnCancelClick() {
    Close();
}

void TMainForm::btnBrowseClick() {
    ui::TBrowseForFolder browse;
    browse.dialogText = kBrowseText;
    browse.options = ui::bifNewDialogStyle | ui::bifReturnOnlyFSDirs;
    browse.folder = edInstallDir_->text();
    browse.Execute();
    if (browse.folder != edInstallDir_->text()) {
        edInstallDir_->SetText(browse.folder);
    }
}

void TMainForm::btnInstallClick() {
    if (!CheckInstallFolder(edInstallDir_->text())) {
        return;
    }
    Hide();
    if (RunGuarded(edInstallDir_->text())) {
        Close();
        return;
    }
    Show();
    ShowMessageFmt("%s was not installed.", {kProductName});
}

bool TMainForm::RunGuarded(const std::string& folder) {
    // A failure raised inside the run (a missing or damaged payload item, an
    // error of the completion step) must not leave the user with a hidden
    // window and no word: it is shown like any error that escapes a handler
    // and counts as a failed run.
    try {
        return run_(folder);
    } catch (const std::exception& error) {
        application_.ShowException(error);
        return false;
    }
}

bool TMainForm::CheckInstallFolder(const std::string& folder) {
    switch (platform::DriveTypeOf(folder.substr(0, 3))) {
        case platform::DriveType::Removable:
        case platform::DriveType::Fixed:
        case platform::DriveType::Remote:
            break;
        default:
            ShowMessageText(kInvalidDevice);
            return false;
    }
    // Refused before anything is written: files in such a folder could be
    // started by no shortcut.
    const std::string absolute = AbsoluteFolderPath(folder);
    if (!DosFolderPath(absolute)) {
        ShowMessageFmt(kUnusableName, {kProductName, FirstCharacterOutsideCodePage(absolute)});
        return false;
    }
    return true;
}
