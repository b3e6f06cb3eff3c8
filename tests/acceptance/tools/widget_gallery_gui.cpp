// Shows the widget gallery (tests/acceptance/shared/widget_gallery.h) until
// its window is closed, for the widgets' acceptance test.

#include "tests/acceptance/shared/widget_gallery.h"
#include "ui/application.h"
#include "ui/entry.h"

int ApplicationMain() {
    ui::Application application;
    application.SetTitle(gallery::kTitle);
    application.SetMainFormOnTaskBar(true);
    const auto form = gallery::BuildGallery();
    application.SetMainForm(*form);
    application.Run();
    return 0;
}
