#include "procedure_registry.h"

#include "request_error.h"

#include <stdexcept>

namespace seclog::server {
namespace {

std::string selectorValue(const nlohmann::json &data, const std::string &key) {
    if (!data.is_object())
        return {};
    const auto it = data.find(key);
    return it != data.end() && it->is_string() ? it->get<std::string>() : std::string();
}

} // namespace

void ProcedureRegistry::add(const std::string &spName, ProcedureHandler handler) {
    auto [it, inserted] = entries_.try_emplace(spName);
    if (!inserted)
        throw std::logic_error("procedure registered twice: " + spName);
    it->second.handler = std::move(handler);
}

void ProcedureRegistry::add(const std::string &spName, const std::string &selectorKey,
                            const std::string &value, ProcedureHandler handler) {
    Entry &entry = entries_[spName];
    if (entry.handler || (!entry.selectorKey.empty() && entry.selectorKey != selectorKey))
        throw std::logic_error("conflicting registration for " + spName);
    entry.selectorKey = selectorKey;
    if (!entry.bySelector.try_emplace(value, std::move(handler)).second)
        throw std::logic_error("selector registered twice: " + spName + "/" + value);
}

void ProcedureRegistry::addSelectorSpelling(const std::string &spName,
                                            const std::string &selectorKey) {
    const auto it = entries_.find(spName);
    if (it == entries_.end() || it->second.selectorKey.empty())
        throw std::logic_error("no selector to spell differently for " + spName);
    it->second.otherSpelling = selectorKey;
}

std::string ProcedureRegistry::selectorOf(const Entry &entry, const nlohmann::json &data) {
    if (entry.otherSpelling.empty() || (data.is_object() && data.contains(entry.selectorKey)))
        return selectorValue(data, entry.selectorKey);
    return selectorValue(data, entry.otherSpelling);
}

const ProcedureHandler &ProcedureRegistry::find(const std::string &spName,
                                                const nlohmann::json &data) const {
    const auto it = entries_.find(spName);
    if (it == entries_.end())
        throw RequestError("unknown procedure: " + spName);
    const Entry &entry = it->second;
    if (entry.selectorKey.empty())
        return entry.handler;
    const std::string value = selectorOf(entry, data);
    const auto handler = entry.bySelector.find(value);
    if (handler == entry.bySelector.end())
        throw RequestError("unknown " + entry.selectorKey + " '" + value + "' for " + spName);
    return handler->second;
}

std::string ProcedureRegistry::describe(const std::string &spName,
                                        const nlohmann::json &data) const {
    const auto it = entries_.find(spName);
    if (it == entries_.end() || it->second.selectorKey.empty())
        return spName;
    return spName + "/" + selectorOf(it->second, data);
}

} // namespace seclog::server
