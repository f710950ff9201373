#pragma once

#include "procedure_registry.h"

#include <nlohmann/json.hpp>
#include <string>

namespace seclog::server {

// Each family of stored procedures registers its handlers here.
void addCommonServiceProcedures(ProcedureRegistry &registry);
void addAppRightsProcedures(ProcedureRegistry &registry);
void addSecurityLogProcedures(ProcedureRegistry &registry);
void addSecurityLogPickerProcedures(ProcedureRegistry &registry);
void addPartyProcedures(ProcedureRegistry &registry);
void addItemProcedures(ProcedureRegistry &registry);
void addStorePOProcedures(ProcedureRegistry &registry);
void addSummaryProcedures(ProcedureRegistry &registry);
// The documents the scanner looks up by code, their lines, and the person named on them.
void addDCProcedures(ProcedureRegistry &registry);
void addGodownTransferProcedures(ProcedureRegistry &registry);
void addHandBitProcedures(ProcedureRegistry &registry);
void addBillProcedures(ProcedureRegistry &registry);
void addDocumentPersonProcedures(ProcedureRegistry &registry);

ProcedureRegistry makeProcedureRegistry();

// Form-post procedures.
// The login: [user row] for the active user with that password, else []. Takes the database
// lock itself, only around its reads and writes; a right password kept in an older form is
// stored anew as Argon2id.
nlohmann::json verifyUser(ProcedureContext &context, const std::string &userName,
                          const std::string &password);
// /SaveSecurityIOLog: marks a log OUT. Replies [{"SMsg"}] or [{"ErrorMsg"}].
nlohmann::json saveSecurityIOLog(ProcedureContext &context, const std::string &securityIOLog,
                                 const std::string &securityIODetails);
// /SaveSecurityIOLog_NoImageData: stores a new log or updates one, header and detail rows in
// one transaction. Replies [{"ID"}] or [{"Error"}].
nlohmann::json saveSecurityIOLogNoImageData(ProcedureContext &context,
                                            const std::string &securityIOLog,
                                            const std::string &securityIODetails);

} // namespace seclog::server
