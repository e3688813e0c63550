#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace db {

// A list of observers called in order of connection; connect returns an id for disconnect.
template <typename... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;
    int connect(Slot slot)
    {
        m_slots.emplace_back(++m_lastId, std::move(slot));
        return m_lastId;
    }
    void disconnect(int id)
    {
        for (auto it = m_slots.begin(); it != m_slots.end(); ++it)
            if (it->first == id) { m_slots.erase(it); return; }
    }
    void emit_(Args... args) const
    {
        auto copy = m_slots; // a slot may disconnect itself
        for (auto &s : copy) s.second(args...);
    }
    bool empty() const { return m_slots.empty(); }

private:
    std::vector<std::pair<int, Slot>> m_slots;
    int m_lastId = 0;
};

} // namespace db
