// Wrappers made for handles nobody attached ("temporary" objects), one map per thread and kind.
#pragma once
#include <algorithm>
#include <map>
#include <memory>

// A wrapper never owns its handle. Wrappers live until the thread's outermost loop goes idle
// (DeleteAll), which a long modal loop or a host's own loop puts off: wrappers of handles gone
// since are dropped as the map grows, so it stays proportional to the objects alive.
template <class Handle, class Wrapper>
class TemporaryHandleMap {
public:
    using IsAlive = bool (*)(Handle);
    using Forget = void (*)(Wrapper&);   // lets go of the handle without destroying it

    TemporaryHandleMap(IsAlive isAlive, Forget forget) : m_isAlive(isAlive), m_forget(forget) {}

    // The wrapper slot of a handle; empty for a handle not seen before, for the caller to fill.
    std::unique_ptr<Wrapper>& Slot(Handle handle)
    {
        if (m_map.size() >= m_checkAt && !m_map.count(handle))
            DropDead();
        return m_map[handle];
    }

    void DeleteAll()
    {
        for (auto& entry : m_map)
            m_forget(*entry.second);
        m_map.clear();
    }

    size_t Count() const { return m_map.size(); }

private:
    void DropDead()
    {
        for (auto it = m_map.begin(); it != m_map.end();) {
            if (m_isAlive(it->first)) {
                ++it;
                continue;
            }
            m_forget(*it->second);
            it = m_map.erase(it);
        }
        m_checkAt = std::max<size_t>(256, m_map.size() * 2);
    }

    std::map<Handle, std::unique_ptr<Wrapper>> m_map;
    size_t m_checkAt = 256;   // size at which the map is next checked for dead handles
    IsAlive m_isAlive;
    Forget m_forget;
};
