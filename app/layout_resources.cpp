#include "app/layout_resources.h"

#include "platform/platform.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "util/errors.h"
#include "util/path_helpers.h"
#include "widgets/widget_kinds.h"

ui::Layout LoadLayoutResource(const std::string& formName) {
    const std::string name = "LAYOUT_" + UpperAscii(formName);
    const auto text = platform::LoadRcData(name);
    if (!text) {
        throw EResNotFound(name);
    }
    return ui::ParseLayout(*text);
}

const ui::ComponentKinds& InstallerComponentKinds() {
    static const ui::ComponentKinds kinds = [] {
        ui::ComponentKinds all;
        ui::AddLabelKind(all);
        ui::AddImageKind(all);
        ui::AddEditKind(all);
        ui::AddPageControlKinds(all);
        widgets::AddWidgetKinds(all);
        return all;
    }();
    return kinds;
}
