#include "database.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

// The particulars search lists at most this many items: it fills a handheld's list, and the
// guard narrows the text rather than scrolling through thousands.
constexpr std::int64_t kItemSearchLimit = 100;

// Items whose name holds LikeStr, case ignored; names that start with it first. No text, no
// rows: the master is too big to list whole.
nlohmann::json itemsLike(ProcedureContext &context, const nlohmann::json &data) {
    const std::string text = textParam(data, "LikeStr");
    if (text.empty())
        return nlohmann::json::array();
    return context.db.query(
        "SELECT i.Item_id, i.ItemName, i.Unit_id, u.SingularSymbol, u.PluralSymbol, "
        "i.NoOfDecimal, i.ImagePath FROM Item i JOIN Unit u ON u.Unit_id = i.Unit_id "
        "WHERE i.ItemName LIKE ?1 ESCAPE '\\' "
        "ORDER BY i.ItemName LIKE ?2 ESCAPE '\\' DESC, i.ItemName, i.Item_id LIMIT ?3",
        {likeContains(text), likeStartsWith(text), kItemSearchLimit});
}

// Units of measure for an item that is not in the master yet.
nlohmann::json units(ProcedureContext &context, const nlohmann::json &) {
    return context.db.query("SELECT Unit_id, UnitName, SingularSymbol, PluralSymbol FROM Unit "
                            "ORDER BY UnitName");
}

} // namespace

void addItemProcedures(ProcedureRegistry &registry) {
    registry.add("Usp_CommonService", "SP_Type", "Sel_ItemLike", itemsLike);
    registry.add("Usp_CommonService", "SP_Type", "Sel_Uom", units);
}

} // namespace seclog::server
