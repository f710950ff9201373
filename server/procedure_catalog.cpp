#include "procedures.h"

namespace seclog::server {

ProcedureRegistry makeProcedureRegistry() {
    ProcedureRegistry registry;
    addCommonServiceProcedures(registry);
    addAppRightsProcedures(registry);
    addSecurityLogProcedures(registry);
    addSecurityLogPickerProcedures(registry);
    return registry;
}

} // namespace seclog::server
