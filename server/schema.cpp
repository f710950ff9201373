#include "schema.h"

#include "database.h"

#include <array>
#include <string>

namespace seclog::server {
namespace {

// One statement per table or index; a new table is one more entry here.
// Times are ISO text; an open log has OutTime ''.
constexpr std::array kSchemaStatements = {
    R"(CREATE TABLE IF NOT EXISTS Settings (
        key TEXT PRIMARY KEY,
        value TEXT NOT NULL))",
    R"(CREATE TABLE IF NOT EXISTS Branch (
        BranchCode TEXT PRIMARY KEY,
        BranchName TEXT NOT NULL))",
    R"(CREATE TABLE IF NOT EXISTS Division (
        Division_id INTEGER PRIMARY KEY,
        DivisionName TEXT NOT NULL,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode)))",
    R"(CREATE TABLE IF NOT EXISTS Gate (
        Gate_id INTEGER PRIMARY KEY,
        GateName TEXT NOT NULL,
        Division_id INTEGER NOT NULL REFERENCES Division(Division_id)))",
    R"(CREATE TABLE IF NOT EXISTS Device (
        Device_id INTEGER PRIMARY KEY,
        DeviceName TEXT NOT NULL UNIQUE,
        Division_id INTEGER NOT NULL REFERENCES Division(Division_id),
        Gate_id INTEGER NOT NULL REFERENCES Gate(Gate_id)))",
    R"(CREATE TABLE IF NOT EXISTS Department (
        Department_id INTEGER PRIMARY KEY,
        Department TEXT NOT NULL))",
    R"(CREATE TABLE IF NOT EXISTS Employee (
        Employee_id INTEGER PRIMARY KEY,
        EmpName TEXT NOT NULL,
        Department_id INTEGER REFERENCES Department(Department_id),
        ImagePath TEXT NOT NULL DEFAULT '',
        Division_id INTEGER REFERENCES Division(Division_id),
        Mobile TEXT NOT NULL DEFAULT '',
        EmpCode TEXT NOT NULL DEFAULT '',
        Designation TEXT NOT NULL DEFAULT ''))",
    R"(CREATE TABLE IF NOT EXISTS Users (
        Users_id INTEGER PRIMARY KEY,
        UserName TEXT NOT NULL UNIQUE,
        PwdHash TEXT NOT NULL,
        PwdSalt TEXT NOT NULL,
        Employee_id INTEGER NOT NULL REFERENCES Employee(Employee_id),
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        IsActive INTEGER NOT NULL DEFAULT 1))",
    R"(CREATE TABLE IF NOT EXISTS EntryType (
        IOType_id INTEGER PRIMARY KEY,
        IOType TEXT NOT NULL))",
    R"(CREATE TABLE IF NOT EXISTS Purpose (
        Purpose_id INTEGER PRIMARY KEY,
        Purpose TEXT NOT NULL UNIQUE))",
    R"(CREATE TABLE IF NOT EXISTS Designation (
        Designation_id INTEGER PRIMARY KEY,
        Designation TEXT NOT NULL UNIQUE))",
    R"(CREATE TABLE IF NOT EXISTS Person (
        Person_id INTEGER PRIMARY KEY,
        IOPerson TEXT NOT NULL,
        IOMobile TEXT NOT NULL DEFAULT '',
        IOAdd1 TEXT NOT NULL DEFAULT '',
        IODesignation TEXT NOT NULL DEFAULT '',
        PersonType TEXT NOT NULL DEFAULT '',
        IOImgPath TEXT NOT NULL DEFAULT ''))",
    R"(CREATE TABLE IF NOT EXISTS SecurityIOLog (
        SecIOLog_id INTEGER PRIMARY KEY,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        Division_id INTEGER NOT NULL REFERENCES Division(Division_id),
        Device_id INTEGER REFERENCES Device(Device_id),
        Person_id INTEGER NOT NULL REFERENCES Person(Person_id),
        IOVehicle TEXT NOT NULL DEFAULT '',
        Meet_To TEXT NOT NULL DEFAULT '',
        IOType_id INTEGER REFERENCES EntryType(IOType_id),
        Purpose TEXT NOT NULL DEFAULT '',
        TokenNo TEXT NOT NULL DEFAULT '',
        FPDeviceName TEXT NOT NULL DEFAULT '',
        InTime TEXT NOT NULL,
        OutTime TEXT NOT NULL DEFAULT '',
        CreatedBy INTEGER REFERENCES Users(Users_id),
        CreatedOn TEXT NOT NULL,
        IsUpdateable TEXT NOT NULL DEFAULT 'Yes'))",
    "CREATE INDEX IF NOT EXISTS SecurityIOLog_open ON SecurityIOLog(Division_id, OutTime)",
    "CREATE INDEX IF NOT EXISTS SecurityIOLog_person ON SecurityIOLog(Person_id, InTime)",
    // A division's logs by day for the summaries; it holds what a month's counts read, so they
    // never visit the table.
    "CREATE INDEX IF NOT EXISTS SecurityIOLog_day "
    "ON SecurityIOLog(Division_id, InTime, IOType_id, BranchCode)",
    // One row per item line of a document; the client answers it as SecIOLogDet_id. Section
    // follows the quantity column the client filled (Quantity: IN, OutQty: OUT); DocDate is
    // "yyyy-MM-dd"; Party_id and DC_id point at tables the server does not hold yet.
    R"(CREATE TABLE IF NOT EXISTS SecurityIODetails (
        SecIODet_id INTEGER PRIMARY KEY,
        SecIOLog_id INTEGER NOT NULL REFERENCES SecurityIOLog(SecIOLog_id),
        Section TEXT NOT NULL CHECK (Section IN ('IN', 'OUT')),
        DocType TEXT NOT NULL DEFAULT '',
        DocNo TEXT NOT NULL DEFAULT '',
        DocDate TEXT NOT NULL DEFAULT '',
        Party_id INTEGER,
        PartyName TEXT NOT NULL DEFAULT '',
        City TEXT NOT NULL DEFAULT '',
        Particulars TEXT NOT NULL DEFAULT '',
        Quantity TEXT NOT NULL DEFAULT '',
        OutQty TEXT NOT NULL DEFAULT '',
        DocPath TEXT NOT NULL DEFAULT '',
        DC_id INTEGER NOT NULL DEFAULT 0))",
    "CREATE INDEX IF NOT EXISTS SecurityIODetails_log ON SecurityIODetails(SecIOLog_id)",
    // The document id lists of each save (INDC_ids, DC_Detids...), one row per id, so a
    // document can be looked up by the logs that carried it.
    R"(CREATE TABLE IF NOT EXISTS SecurityIOLogDocIds (
        SecIOLog_id INTEGER NOT NULL REFERENCES SecurityIOLog(SecIOLog_id),
        ListName TEXT NOT NULL,
        Doc_id INTEGER NOT NULL,
        PRIMARY KEY (SecIOLog_id, ListName, Doc_id)))",
    "CREATE INDEX IF NOT EXISTS SecurityIOLogDocIds_doc ON SecurityIOLogDocIds(ListName, Doc_id)",
    // Fingerprint-reader punches; PunchTime is ISO, FPMode 'I' (in) or 'O' (out), the reader's
    // name as it reports itself.
    R"(CREATE TABLE IF NOT EXISTS EmployeePunch (
        Punch_id INTEGER PRIMARY KEY,
        Employee_id INTEGER NOT NULL REFERENCES Employee(Employee_id),
        PunchTime TEXT NOT NULL,
        FPMode TEXT NOT NULL CHECK (FPMode IN ('I', 'O')),
        FPDeviceName TEXT NOT NULL,
        Division_id INTEGER NOT NULL REFERENCES Division(Division_id)))",
    "CREATE INDEX IF NOT EXISTS EmployeePunch_employee ON EmployeePunch(Employee_id, PunchTime)",
    // Suppliers and their towns, for the party picker and store POs.
    R"(CREATE TABLE IF NOT EXISTS City (
        City_id INTEGER PRIMARY KEY,
        CityName TEXT NOT NULL UNIQUE))",
    R"(CREATE TABLE IF NOT EXISTS Party (
        Party_id INTEGER PRIMARY KEY,
        PartyName TEXT NOT NULL,
        City_id INTEGER REFERENCES City(City_id)))",
    // The number of decimals belongs to the unit; an item copies it and may differ.
    R"(CREATE TABLE IF NOT EXISTS Unit (
        Unit_id INTEGER PRIMARY KEY,
        UnitName TEXT NOT NULL UNIQUE,
        SingularSymbol TEXT NOT NULL,
        PluralSymbol TEXT NOT NULL,
        NoOfDecimal INTEGER NOT NULL DEFAULT 0))",
    // ImagePath is a "~/..." path, '' when the item has no picture.
    R"(CREATE TABLE IF NOT EXISTS Item (
        Item_id INTEGER PRIMARY KEY,
        ItemName TEXT NOT NULL,
        Unit_id INTEGER NOT NULL REFERENCES Unit(Unit_id),
        NoOfDecimal INTEGER NOT NULL DEFAULT 0,
        ImagePath TEXT NOT NULL DEFAULT ''))",
    // StorePODate is "yyyy-MM-dd".
    R"(CREATE TABLE IF NOT EXISTS StorePO (
        StorePO_id INTEGER PRIMARY KEY,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        StorePOCode TEXT NOT NULL,
        StorePODate TEXT NOT NULL,
        Party_id INTEGER NOT NULL REFERENCES Party(Party_id)))",
    "CREATE INDEX IF NOT EXISTS StorePO_branch ON StorePO(BranchCode, StorePODate)",
    R"(CREATE TABLE IF NOT EXISTS StorePOLine (
        StorePO_id INTEGER NOT NULL REFERENCES StorePO(StorePO_id),
        LineNo INTEGER NOT NULL,
        Item_id INTEGER NOT NULL REFERENCES Item(Item_id),
        Quantity REAL NOT NULL,
        PRIMARY KEY (StorePO_id, LineNo)))",
    // Delivery challans. DCDate is "yyyy-MM-dd". DCType "IDC" goes to another division of the
    // branch, "GDC" to an outside party (Party_id, no ToDivision_id). IsOutDC: "No" not yet
    // out of the issuing gate, "Yes" out and on its way to the receiving division, "OutDCYes"
    // out to a party and coming back, "OutDCComplete" all of it back. IsRet "R" returnable,
    // "NR" not. ApprovalStatus "Pending", "Approved" or "Rejected"; only approved DCs may pass.
    // ApprovedBy and ApprovedOn (ISO) are who decided on it and when, NULL while it waits.
    // TakenPerson_id is the carrier in the gate's own register of people.
    R"(CREATE TABLE IF NOT EXISTS DC (
        DC_id INTEGER PRIMARY KEY,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        DCCode TEXT NOT NULL,
        DCDate TEXT NOT NULL,
        DCType TEXT NOT NULL CHECK (DCType IN ('IDC', 'GDC')),
        FromDivision_id INTEGER NOT NULL REFERENCES Division(Division_id),
        FromDepartment_id INTEGER REFERENCES Department(Department_id),
        ToDivision_id INTEGER REFERENCES Division(Division_id),
        ToDepartment_id INTEGER REFERENCES Department(Department_id),
        Party_id INTEGER REFERENCES Party(Party_id),
        IsOutDC TEXT NOT NULL CHECK (IsOutDC IN ('No', 'Yes', 'OutDCYes', 'OutDCComplete')),
        IsRet TEXT NOT NULL CHECK (IsRet IN ('R', 'NR')),
        ApprovalStatus TEXT NOT NULL CHECK (ApprovalStatus IN ('Pending', 'Approved', 'Rejected')),
        ApprovedBy INTEGER REFERENCES Employee(Employee_id),
        ApprovedOn TEXT,
        IssueEmp_id INTEGER REFERENCES Employee(Employee_id),
        IssToEmp_id INTEGER REFERENCES Employee(Employee_id),
        TakenByName TEXT NOT NULL DEFAULT '',
        TakenPerson_id INTEGER REFERENCES Person(Person_id),
        ImagePath1 TEXT NOT NULL DEFAULT '',
        ImagePath2 TEXT NOT NULL DEFAULT '',
        ImagePath3 TEXT NOT NULL DEFAULT ''))",
    "CREATE UNIQUE INDEX IF NOT EXISTS DC_code ON DC(DCCode COLLATE NOCASE, BranchCode)",
    // ReturnQty is what has come back of a returnable line so far.
    R"(CREATE TABLE IF NOT EXISTS DCDetail (
        DCDet_id INTEGER PRIMARY KEY,
        DC_id INTEGER NOT NULL REFERENCES DC(DC_id),
        LineNo INTEGER NOT NULL,
        Item_id INTEGER NOT NULL REFERENCES Item(Item_id),
        PassedQty REAL NOT NULL,
        ReturnQty REAL NOT NULL DEFAULT 0,
        UNIQUE (DC_id, LineNo)))",
    R"(CREATE TABLE IF NOT EXISTS Godown (
        Godown_id INTEGER PRIMARY KEY,
        GodownName TEXT NOT NULL,
        Division_id INTEGER NOT NULL REFERENCES Division(Division_id)))",
    // Goods moved between the godowns of two divisions. CreatedOn is ISO; IsOutDC "No" not yet
    // out of the issuing gate, "Yes" on its way in.
    R"(CREATE TABLE IF NOT EXISTS GodownTransfer (
        GodownTransfer_id INTEGER PRIMARY KEY,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        GodownTransferCode TEXT NOT NULL,
        CreatedOn TEXT NOT NULL,
        FromGodown_id INTEGER NOT NULL REFERENCES Godown(Godown_id),
        ToGodown_id INTEGER NOT NULL REFERENCES Godown(Godown_id),
        IsOutDC TEXT NOT NULL CHECK (IsOutDC IN ('No', 'Yes')),
        TackenBy TEXT NOT NULL DEFAULT '',
        TackenPerson_id INTEGER REFERENCES Person(Person_id),
        AcceptEmp_id INTEGER REFERENCES Employee(Employee_id),
        TackenImagePath TEXT NOT NULL DEFAULT ''))",
    "CREATE UNIQUE INDEX IF NOT EXISTS GodownTransfer_code "
    "ON GodownTransfer(GodownTransferCode COLLATE NOCASE, BranchCode)",
    // One production plan's lot per line: Pcs pieces weighing or measuring Qty.
    R"(CREATE TABLE IF NOT EXISTS GodownTransferDetail (
        GTDet_id INTEGER PRIMARY KEY,
        GodownTransfer_id INTEGER NOT NULL REFERENCES GodownTransfer(GodownTransfer_id),
        LineNo INTEGER NOT NULL,
        ProdPlanCode TEXT NOT NULL,
        Item_id INTEGER NOT NULL REFERENCES Item(Item_id),
        Pcs INTEGER NOT NULL,
        Qty REAL NOT NULL,
        UNIQUE (GodownTransfer_id, LineNo)))",
    // Yarn given out to hand-bit workers at home and brought back, one colour per line.
    // IsOutDC "No" going out to the worker, "Yes" coming back.
    R"(CREATE TABLE IF NOT EXISTS HandBitDC (
        HB_id INTEGER PRIMARY KEY,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        Division_id INTEGER NOT NULL REFERENCES Division(Division_id),
        Department_id INTEGER REFERENCES Department(Department_id),
        DCCode TEXT NOT NULL,
        DCDate TEXT NOT NULL,
        PartyName TEXT NOT NULL,
        Village TEXT NOT NULL DEFAULT '',
        HBMobileNo TEXT NOT NULL DEFAULT '',
        IssToEmp_id INTEGER REFERENCES Employee(Employee_id),
        IsOutDC TEXT NOT NULL CHECK (IsOutDC IN ('No', 'Yes'))))",
    "CREATE UNIQUE INDEX IF NOT EXISTS HandBitDC_code ON HandBitDC(DCCode COLLATE NOCASE)",
    R"(CREATE TABLE IF NOT EXISTS HandBitDCDetail (
        HBDet_id INTEGER PRIMARY KEY,
        HB_id INTEGER NOT NULL REFERENCES HandBitDC(HB_id),
        LineNo INTEGER NOT NULL,
        ColorName TEXT NOT NULL,
        ColorCode TEXT NOT NULL,
        Item_id INTEGER NOT NULL REFERENCES Item(Item_id),
        Qty REAL NOT NULL,
        UNIQUE (HB_id, LineNo)))",
    // Sales bills and their dispatch. BillDate is "yyyy-MM-dd". NULL where the bill has no such
    // record yet (no delivery branch, no dispatch entry). SignedQRCode is the signed e-invoice
    // text printed as the bill's QR code, '' for a bill without one.
    R"(CREATE TABLE IF NOT EXISTS Bill (
        Bill_id INTEGER PRIMARY KEY,
        BranchCode TEXT NOT NULL REFERENCES Branch(BranchCode),
        BillCode TEXT NOT NULL,
        BillDate TEXT NOT NULL,
        PartyName TEXT NOT NULL,
        DeliveryBranch TEXT,
        VehicleNo TEXT NOT NULL DEFAULT '',
        DriverName TEXT NOT NULL DEFAULT '',
        LRNo TEXT NOT NULL DEFAULT '',
        BillStatus TEXT NOT NULL DEFAULT '',
        IsDespatched TEXT CHECK (IsDespatched IN ('Y', 'N')),
        Status TEXT,
        SignedQRCode TEXT NOT NULL DEFAULT ''))",
    "CREATE UNIQUE INDEX IF NOT EXISTS Bill_code ON Bill(BillCode COLLATE NOCASE, BranchCode)",
    "CREATE INDEX IF NOT EXISTS Bill_signed ON Bill(SignedQRCode) WHERE SignedQRCode <> ''",
};

// Databases made before a column was added get it.
void addMissingColumn(Database &db, const std::string &table, const std::string &column,
                      const std::string &definition) {
    for (const auto &existing : db.query("PRAGMA table_info(" + table + ")"))
        if (existing.value("name", "") == column)
            return;
    db.executeScript("ALTER TABLE " + table + " ADD COLUMN " + column + " " + definition);
}

} // namespace

void createSchema(Database &db) {
    db.transaction([&] {
        for (const char *statement : kSchemaStatements)
            db.executeScript(statement);
        addMissingColumn(db, "Employee", "Designation", "TEXT NOT NULL DEFAULT ''");
        addMissingColumn(db, "DC", "ApprovedOn", "TEXT");
    });
}

} // namespace seclog::server
