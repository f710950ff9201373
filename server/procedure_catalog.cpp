#include "employee_fp_procedures.h"
#include "procedures.h"

namespace seclog::server {

ProcedureRegistry makeProcedureRegistry() {
    ProcedureRegistry registry;
    addCommonServiceProcedures(registry);
    addAppRightsProcedures(registry);
    addSecurityLogProcedures(registry);
    addSecurityLogPickerProcedures(registry);
    addPartyProcedures(registry);
    addItemProcedures(registry);
    addStorePOProcedures(registry);
    addSummaryProcedures(registry);
    addEmployeeFingerprintProcedures(registry);
    return registry;
}

} // namespace seclog::server
