#pragma once

#include <QObject>
#include <functional>

// A click handler together with the object that installed it, so an owner can ask whether the
// handler currently attached is its own before it removes it.
class TClickEvent
{
public:
    using THandler = std::function<void(QObject *sender)>;

    void Set(THandler handler, const QObject *owner = nullptr)
    {
        m_handler = std::move(handler);
        m_owner = m_handler ? owner : nullptr;
    }
    void Clear() { Set(nullptr); }
    bool IsAssigned() const { return bool(m_handler); }
    // True when a handler is attached and it was installed by this owner.
    bool IsOwnedBy(const QObject *owner) const { return m_handler && owner && m_owner == owner; }
    void Fire(QObject *sender) const
    {
        if (m_handler)
            m_handler(sender);
    }

private:
    THandler m_handler;
    const QObject *m_owner = nullptr;
};
