#include "routes.h"

#include "database.h"
#include "file_routes.h"
#include "http_reply.h"
#include "identity_route.h"
#include "procedures.h"
#include "quoted_parameters.h"
#include "request_body.h"
#include "request_error.h"
#include "request_limits.h"
#include "request_log.h"
#include "save_keys.h"

namespace seclog::server {
namespace {

nlohmann::json parseJsonData(const nlohmann::json &body) {
    const auto it = body.find("JSONData");
    if (it == body.end() || it->is_null())
        return nlohmann::json::object();
    if (it->is_object())
        return *it;
    if (it->is_string()) {
        auto data = nlohmann::json::parse(it->get<std::string>(), nullptr, false);
        if (!data.is_discarded() && data.is_object())
            return data;
        throw RequestError("JSONData text is not a JSON object");
    }
    throw RequestError("JSONData must be an object or a JSON text");
}

bool wantsStrings(const nlohmann::json &body) {
    const auto it = body.find("withStrings");
    if (it == body.end())
        return false;
    if (it->is_boolean())
        return it->get<bool>();
    return it->is_string() && it->get<std::string>() == "true";
}

// Runs the procedure the registry finds for `spName` and its arguments, one request at a time
// on the database, and notes what was asked in the request log.
nlohmann::json runProcedure(RouteContext &context, const std::string &spName,
                            const nlohmann::json &data) {
    noteRequestDetail(context.registry.describe(spName, data));
    const ProcedureHandler &handler = context.registry.find(spName, data);
    auto lock = context.db.lock();
    ProcedureContext procedureContext{context.db, context.port, context.filesDir};
    return handler(procedureContext, data);
}

nlohmann::json readJsonObject(const httplib::Request &req, const httplib::ContentReader &reader) {
    const auto body =
        nlohmann::json::parse(readBody(req, reader, kMaxJsonBodyBytes), nullptr, false);
    if (body.is_discarded() || !body.is_object())
        throw RequestError("body must be a JSON object");
    return body;
}

void handleStoredProcedure(RouteContext &context, const httplib::Request &req,
                           httplib::Response &res, const httplib::ContentReader &reader) {
    const nlohmann::json body = readJsonObject(req, reader);
    if (body.is_discarded() || !body.is_object())
        throw RequestError("body must be a JSON object");
    const auto name = body.find("SPName");
    if (name == body.end() || !name->is_string())
        throw RequestError("SPName must be text");
    const std::string spName = name->get<std::string>();
    const nlohmann::json data = parseJsonData(body);
    nlohmann::json rows = runProcedure(context, spName, data);
    if (wantsStrings(body))
        stringifyValues(rows);
    replyJson(res, rows);
}

std::string bodyText(const nlohmann::json &body, const char *key) {
    const auto it = body.find(key);
    if (it == body.end() || it->is_null())
        return {};
    if (!it->is_string())
        throw RequestError(std::string(key) + " must be text");
    return it->get<std::string>();
}

// The employee picker's list: a JSON body {"SP_Name", "Parameters", "LikeStr"} where
// Parameters is a single-quoted text holding a one-object array, the procedure's arguments.
// Replies are always text.
void handleCommonGetSearchData(RouteContext &context, const httplib::Request &req,
                               httplib::Response &res, const httplib::ContentReader &reader) {
    const nlohmann::json body = readJsonObject(req, reader);
    const std::string spName = bodyText(body, "SP_Name");
    const nlohmann::json parameters = parseQuotedParameters(bodyText(body, "Parameters"));
    if (!parameters.is_array() || parameters.size() != 1 || !parameters[0].is_object())
        throw RequestError("Parameters must hold one object");
    nlohmann::json data = parameters[0];
    data["LikeStr"] = bodyText(body, "LikeStr");
    nlohmann::json rows = runProcedure(context, spName, data);
    stringifyValues(rows);
    replyJson(res, rows);
}

// httplib refuses url-encoded bodies over 8 KiB when it reads them itself, so form routes
// read theirs, and parse it with httplib's own query parser.
httplib::Params readFormParams(const httplib::Request &req, const httplib::ContentReader &reader) {
    const std::string body = readBody(req, reader, kMaxJsonBodyBytes);
    httplib::Params params = req.params; // query string, if any
    httplib::detail::parse_query_text(body, params);
    return params;
}

std::string formValue(const httplib::Params &params, const std::string &key) {
    const auto it = params.find(key);
    return it == params.end() ? std::string() : it->second;
}

void handleVerifyUser(RouteContext &context, const httplib::Params &params,
                      httplib::Response &res) {
    const std::string spName = formValue(params, "spName");
    const std::string spType = formValue(params, "spType");
    noteRequestDetail(spName + "/" + spType);
    if (spName != "Usp_CommonService" || spType != "Sel_Pwd")
        throw RequestError("verifyUser expects spName Usp_CommonService and spType Sel_Pwd");
    // branchCode is always the app's fixed text; the user's own branch is in the reply.
    // verifyUser takes the database lock itself: hashing a password must not hold it.
    ProcedureContext procedureContext{context.db, context.port, context.filesDir};
    nlohmann::json rows =
        verifyUser(procedureContext, formValue(params, "uName"), formValue(params, "pwd"));
    stringifyValues(rows);
    replyJson(res, rows);
}

using SaveFunction = nlohmann::json (*)(ProcedureContext &, const std::string &,
                                        const std::string &);

// Both save paths take the header list and the detail list as JSON text. A save sent with an
// "Idempotency-Key" is applied once: its key is stored with the log, and the same key again is
// answered with the first answer (marked "Idempotent-Replayed"). Without a key every save is
// applied, as before.
template <SaveFunction save>
void handleSave(RouteContext &context, const httplib::Params &params, const std::string &key,
                httplib::Response &res) {
    if (key.size() > SaveKeys::maxKeyLength)
        throw RequestError("Idempotency-Key is too long");
    nlohmann::json rows;
    bool replayed = false;
    {
        auto lock = context.db.lock();
        if (!key.empty()) {
            SaveKeys::ensureTable(context.db);
            if (auto first = SaveKeys::firstAnswer(context.db, key)) {
                rows = std::move(*first);
                replayed = true;
            }
        }
        if (!replayed) {
            ProcedureContext procedureContext{context.db, context.port, context.filesDir};
            context.db.transaction([&] {
                rows = save(procedureContext, formValue(params, "SecurityIOLog"),
                            formValue(params, "SecurityIODetails"));
                // A refusal is not remembered: the guard may mend the form and send it again.
                if (!key.empty() && SaveKeys::stored(rows))
                    SaveKeys::remember(context.db, key, rows);
            });
            if (context.dieAt == "after-save" && SaveKeys::stored(rows))
                std::_Exit(70);
        }
    }
    if (replayed)
        res.set_header("Idempotent-Replayed", "true");
    stringifyValues(rows);
    replyJson(res, rows);
}

template <SaveFunction save>
void addSaveRoute(httplib::Server &server, RouteContext &context, const std::string &path) {
    server.Post(path, [&context](const httplib::Request &req, httplib::Response &res,
                                 const httplib::ContentReader &reader) {
        answerGuarded(res, [&] {
            handleSave<save>(context, readFormParams(req, reader),
                             req.get_header_value("Idempotency-Key"), res);
        });
    });
}

// The summaries: a form of text parameters, "SecurityReport" the JSON text of the criteria,
// which go to the procedure as its JSONData. CommonKeyValue names the key the client hangs the
// nested rows on; the reply carries them under "detail" whatever it says.
void handleNestedData(RouteContext &context, const httplib::Params &params,
                      httplib::Response &res) {
    const std::string spName = formValue(params, "SP_Name");
    if (spName.empty())
        throw RequestError("SP_Name is missing");
    const std::string report = formValue(params, "SecurityReport");
    if (report.empty())
        throw RequestError("SecurityReport is missing");
    const auto criteria = nlohmann::json::parse(report, nullptr, false);
    if (criteria.is_discarded() || !criteria.is_object())
        throw RequestError("SecurityReport is not the JSON text of an object");
    if (formValue(params, "CommonKeyValue").empty())
        throw RequestError("CommonKeyValue is missing");
    nlohmann::json rows = runProcedure(context, spName, criteria);
    stringifyValues(rows);
    replyJson(res, rows);
}

using FormHandler = void (*)(RouteContext &, const httplib::Params &, httplib::Response &);

void addFormRoute(httplib::Server &server, RouteContext &context, const std::string &path,
                  FormHandler handler) {
    server.Post(path, [&context, handler](const httplib::Request &req, httplib::Response &res,
                                          const httplib::ContentReader &reader) {
        answerGuarded(res, [&] { handler(context, readFormParams(req, reader), res); });
    });
}

void answerUnknownRoute(const httplib::Request &req, httplib::Response &res) {
    replyError(res, 400, "unknown route: " + req.method + " " + req.path);
}

// Bodies sent to an unknown route are read within the limit too before the refusal.
void answerUnknownRouteWithBody(const httplib::Request &req, httplib::Response &res,
                                const httplib::ContentReader &reader) {
    answerGuarded(res, [&] {
        if (req.is_multipart_form_data())
            readMultipartBody(req, reader, kMaxJsonBodyBytes);
        else
            readBody(req, reader, kMaxJsonBodyBytes);
        answerUnknownRoute(req, res);
    });
}

using JsonHandler = void (*)(RouteContext &, const httplib::Request &, httplib::Response &,
                             const httplib::ContentReader &);

void addJsonRoute(httplib::Server &server, RouteContext &context, const std::string &path,
                  JsonHandler handler) {
    server.Post(path, [&context, handler](const httplib::Request &req, httplib::Response &res,
                                          const httplib::ContentReader &reader) {
        answerGuarded(res, [&] { handler(context, req, res, reader); });
    });
}

} // namespace

void installRoutes(httplib::Server &server, RouteContext &context) {
    addJsonRoute(server, context, "/sp", handleStoredProcedure);
    addJsonRoute(server, context, "/CommonGetSearchData", handleCommonGetSearchData);
    addFormRoute(server, context, "/verifyUser", handleVerifyUser);
    addSaveRoute<saveSecurityIOLog>(server, context, "/SaveSecurityIOLog");
    addSaveRoute<saveSecurityIOLogNoImageData>(server, context, "/SaveSecurityIOLog_NoImageData");
    addFormRoute(server, context, "/GetCommonNestedData", handleNestedData);
    installFileRoutes(server, context);
    installIdentityRoute(server);

    // Registered last: httplib tries routes in order.
    server.Get(".*", answerUnknownRoute);
    server.Post(".*", answerUnknownRouteWithBody);
    server.Put(".*", answerUnknownRouteWithBody);
    server.Patch(".*", answerUnknownRouteWithBody);
    server.Delete(".*", answerUnknownRouteWithBody);
}

} // namespace seclog::server
