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
    addDCProcedures(registry);
    addGodownTransferProcedures(registry);
    addHandBitProcedures(registry);
    addBillProcedures(registry);
    addDocumentPersonProcedures(registry);
    return registry;
}

} // namespace seclog::server
