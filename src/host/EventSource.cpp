#include "host/EventSource.h"

#include <algorithm>

namespace orvane {

int EventSource::connect(int eventNumber, Handler handler) {
    const int id = m_nextId++;
    m_connections.push_back(
        Connection{id, eventNumber, std::make_shared<Handler>(std::move(handler))});
    return id;
}

void EventSource::disconnect(int id) {
    std::erase_if(m_connections, [id](const Connection& c) { return c.id == id; });
}

bool EventSource::hasHandlers(int eventNumber) const {
    return std::any_of(m_connections.begin(), m_connections.end(),
                       [eventNumber](const Connection& c) { return c.event == eventNumber; });
}

bool EventSource::raiseEvent(int eventNumber, std::vector<Variant>& args) {
    // Handlers can change the connections or destroy this object: work from a copy and check
    // that the object still lives after each call.
    std::vector<std::pair<int, std::shared_ptr<Handler>>> handlers;
    for (const Connection& c : m_connections)
        if (c.event == eventNumber) handlers.emplace_back(c.id, c.handler);
    const std::shared_ptr<bool> alive = m_alive;
    for (const auto& [id, handler] : handlers) {
        const bool stillConnected =
            std::any_of(m_connections.begin(), m_connections.end(),
                        [id = id](const Connection& c) { return c.id == id; });
        if (!stillConnected) continue;
        (*handler)(args);
        if (!*alive) return false;
    }
    return true;
}

}  // namespace orvane
