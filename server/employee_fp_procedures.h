#pragma once

namespace seclog::server {

class ProcedureRegistry;

// The employee fingerprint log: the employee search (Usp_Production_Sel/EMPLOYEE_SEARCH, sent
// through /CommonGetSearchData) and an employee's punches (USP_Security/SELECT_LASTTWODAYSLOG).
void addEmployeeFingerprintProcedures(ProcedureRegistry &registry);

} // namespace seclog::server
