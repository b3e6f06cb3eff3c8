#include "app/startup.h"
#include "ui/entry.h"

int ApplicationMain() {
    return RunInstaller();
}
