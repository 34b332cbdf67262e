// Objects that raise events: handlers connect to an event by its number and receive the
// arguments by reference, so they can change them (a cancel flag, say). A handler may
// disconnect itself or others, set properties of the raiser, or destroy it, while it runs.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/Variant.h"

namespace orvane {

class EventSource {
public:
    // What a handler receives: the event's arguments, by reference.
    using Handler = std::function<void(std::vector<Variant>& args)>;

    EventSource() : m_alive(std::make_shared<bool>(true)) {}
    virtual ~EventSource() { *m_alive = false; }
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // Connects a handler to an event number; the returned id disconnects it.
    int connect(int eventNumber, Handler handler);
    // Disconnects the handler `connect` returned `id` for (an unknown id does nothing).
    void disconnect(int id);
    // Whether any handler is connected to the event.
    bool hasHandlers(int eventNumber) const;
    // Expires when this object is destroyed: holders of a plain pointer to it check it first.
    std::weak_ptr<bool> aliveToken() const { return m_alive; }

protected:
    // Calls the handlers of an event in the order they connected. Returns false when a handler
    // destroyed this object, so the caller must not touch it any more.
    bool raiseEvent(int eventNumber, std::vector<Variant>& args);

private:
    struct Connection {
        int id;
        int event;
        std::shared_ptr<Handler> handler;
    };
    std::vector<Connection> m_connections;
    int m_nextId = 1;
    std::shared_ptr<bool> m_alive;
};

}  // namespace orvane
