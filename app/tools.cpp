#include "app/tools.h"

#include "app/app.h"
#include "cleanup/deletefrm.h"
#include "process/systemprofrm.h"
#include "startup/startfrm.h"

namespace app {

const std::array<Tool, 3> kTools = {{
    {"delete_btn", "DeleteTemporaryFiles1", "Delete Temporary Files", [](App& a) -> ui::Form& { return *a.deletefrm; },
     [](App& a) { return a.deletefrm->running(); }},
    {"reg_btn", "ManageWindowsStartup1", "Manage Windows Startup", [](App& a) -> ui::Form& { return *a.startfrm; },
     nullptr},
    {"run_btn", "DetectRunningProcesses1", "Detect Running Processes",
     [](App& a) -> ui::Form& { return *a.systemprofrm; }, nullptr},
}};

}  // namespace app
