#include "security_log_writer.h"

#include "database.h"
#include "date_time.h"
#include "request_error.h"

namespace seclog::server {
namespace {

std::string idText(std::int64_t id) {
    return std::to_string(id);
}

SqlValue orNull(const std::optional<std::int64_t> &id) {
    return id ? SqlValue(*id) : SqlValue(nullptr);
}

} // namespace

std::int64_t SecurityLogWriter::save(const LogSaveHeader &header,
                                     const std::vector<LogSaveDetail> &details) {
    const References references = checkReferences(header);
    if (header.logId)
        checkLogIsOpenForUpdate(header);
    const std::int64_t personId = personFor(header, references.ioType);
    std::int64_t logId = 0;
    if (header.logId) {
        logId = *header.logId;
        updateLog(header, personId);
    } else {
        logId = insertLog(header, personId, references.gateName);
    }
    for (size_t i = 0; i < details.size(); ++i)
        writeDetail(logId, i + 1, details[i]);
    storeIdLists(db_, logId, header.idLists);
    return logId;
}

SecurityLogWriter::References SecurityLogWriter::checkReferences(const LogSaveHeader &header) {
    if (db_.query("SELECT 1 FROM Division WHERE Division_id = ?1 AND BranchCode = ?2",
                  {header.divisionId, header.branchCode})
            .empty())
        throw RequestError("Division " + idText(header.divisionId) + " is not in branch '" +
                           header.branchCode + "'");
    References references;
    if (header.deviceId) {
        const auto gates =
            db_.query("SELECT g.GateName FROM Device d JOIN Gate g ON g.Gate_id = d.Gate_id "
                      "WHERE d.Device_id = ?1 AND d.Division_id = ?2",
                      {*header.deviceId, header.divisionId});
        if (gates.empty())
            throw RequestError("Device " + idText(*header.deviceId) + " is not in division " +
                               idText(header.divisionId));
        references.gateName = gates[0]["GateName"].get<std::string>();
    }
    if (db_.query("SELECT 1 FROM Users WHERE Users_id = ?1 AND BranchCode = ?2 AND IsActive = 1",
                  {header.createdBy, header.branchCode})
            .empty())
        throw RequestError("User " + idText(header.createdBy) + " may not save in branch '" +
                           header.branchCode + "'");
    const auto types =
        db_.query("SELECT IOType FROM EntryType WHERE IOType_id = ?1", {header.ioTypeId});
    if (types.empty())
        throw RequestError("Entry Type " + idText(header.ioTypeId) + " is unknown");
    references.ioType = types[0]["IOType"].get<std::string>();
    return references;
}

void SecurityLogWriter::checkLogIsOpenForUpdate(const LogSaveHeader &header) {
    const std::string id = idText(*header.logId);
    const auto rows = db_.query("SELECT OutTime, IsUpdateable FROM SecurityIOLog "
                                "WHERE SecIOLog_id = ?1 AND BranchCode = ?2",
                                {*header.logId, header.branchCode});
    if (rows.empty())
        throw RequestError("Security Log " + id + " not found");
    if (!rows[0]["OutTime"].get<std::string>().empty())
        throw RequestError("Security Log " + id + " is already OUT");
    if (rows[0]["IsUpdateable"] == "No")
        throw RequestError("Security Log " + id + " is past its update time");
}

// People are known by mobile number and name together: a shared phone does not merge two
// people, and the latest visit refreshes the person's address, designation and photo.
std::int64_t SecurityLogWriter::personFor(const LogSaveHeader &header,
                                          const std::string &personType) {
    const auto found = db_.query("SELECT Person_id FROM Person WHERE IOMobile = ?1 "
                                 "AND lower(trim(IOPerson)) = lower(trim(?2)) "
                                 "ORDER BY Person_id LIMIT 1",
                                 {header.ioMobile, header.ioPerson});
    if (found.empty()) {
        db_.execute("INSERT INTO Person(IOPerson, IOMobile, IOAdd1, IODesignation, PersonType, "
                    "IOImgPath) VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                    {header.ioPerson, header.ioMobile, header.ioAdd1, header.ioDesignation,
                     personType, header.ioImgPath});
        return db_.lastInsertId();
    }
    const std::int64_t personId = found[0]["Person_id"].get<std::int64_t>();
    db_.execute("UPDATE Person SET IOPerson = ?2, IOAdd1 = ?3, IODesignation = ?4, "
                "PersonType = ?5, IOImgPath = CASE WHEN ?6 = '' THEN IOImgPath ELSE ?6 END "
                "WHERE Person_id = ?1",
                {personId, header.ioPerson, header.ioAdd1, header.ioDesignation, personType,
                 header.ioImgPath});
    return personId;
}

// A new log saved as OUT is a movement out only, closed as it is recorded.
std::int64_t SecurityLogWriter::insertLog(const LogSaveHeader &header, std::int64_t personId,
                                          const std::string &gateName) {
    const std::string now = isoNow();
    db_.execute(
        "INSERT INTO SecurityIOLog(BranchCode, Division_id, Device_id, Person_id, IOVehicle, "
        "Meet_To, IOType_id, Purpose, TokenNo, FPDeviceName, InTime, OutTime, CreatedBy, "
        "CreatedOn, IsUpdateable) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
        "?13, ?11, ?14)",
        {header.branchCode, header.divisionId, orNull(header.deviceId), personId,
         header.ioVehicle.value_or(""), header.meetTo, header.ioTypeId, header.purpose,
         header.tokenNo, gateName, now, header.goingOut ? now : std::string(), header.createdBy,
         std::string(header.goingOut ? "No" : "Yes")});
    return db_.lastInsertId();
}

// Saving an open log as OUT lets the person out.
void SecurityLogWriter::updateLog(const LogSaveHeader &header, std::int64_t personId) {
    const SqlValue vehicle = header.ioVehicle ? SqlValue(*header.ioVehicle) : SqlValue(nullptr);
    db_.execute("UPDATE SecurityIOLog SET Person_id = ?2, IOVehicle = COALESCE(?3, IOVehicle), "
                "Meet_To = ?4, IOType_id = ?5, Purpose = ?6, TokenNo = ?7, "
                "OutTime = CASE WHEN ?8 THEN ?9 ELSE OutTime END, "
                "IsUpdateable = CASE WHEN ?8 THEN 'No' ELSE IsUpdateable END "
                "WHERE SecIOLog_id = ?1",
                {*header.logId, personId, vehicle, header.meetTo, header.ioTypeId, header.purpose,
                 header.tokenNo, std::int64_t{header.goingOut}, isoNow()});
}

// ?1 is the saved line's id, NULL (and unused) for a new line.
void SecurityLogWriter::writeDetail(std::int64_t logId, size_t row, const LogSaveDetail &detail) {
    const SqlParams values = {orNull(detail.savedId),
                              logId,
                              std::string(detail.out ? "OUT" : "IN"),
                              std::string(detail.dcId > 0 ? "DC" : "Bill"),
                              detail.docNo,
                              detail.docDate,
                              orNull(detail.partyId),
                              detail.partyName,
                              detail.city,
                              detail.particulars,
                              detail.out ? std::string() : detail.quantity,
                              detail.out ? detail.quantity : std::string(),
                              detail.docPath,
                              detail.dcId};
    if (!detail.savedId) {
        db_.execute("INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocType, DocNo, DocDate, "
                    "Party_id, PartyName, City, Particulars, Quantity, OutQty, DocPath, DC_id) "
                    "VALUES (?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)",
                    values);
        return;
    }
    const int changed = db_.execute(
        "UPDATE SecurityIODetails SET Section = ?3, DocType = ?4, DocNo = ?5, DocDate = ?6, "
        "Party_id = ?7, PartyName = ?8, City = ?9, Particulars = ?10, Quantity = ?11, "
        "OutQty = ?12, DocPath = ?13, DC_id = ?14 WHERE SecIODet_id = ?1 AND SecIOLog_id = ?2",
        values);
    if (changed == 0)
        throw RequestError("SecurityIODetails row " + std::to_string(row) + ": SecIOLogDet_id " +
                           idText(*detail.savedId) + " is not a line of this Security Log");
}

} // namespace seclog::server
