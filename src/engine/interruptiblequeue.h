#pragma once

#include "displaylayer.h"

#include <memory>

namespace zel {

// Passes yields on to another queue until a stop flag is set, or until the
// flag itself is gone because its owner was destroyed during a yield; after
// that every yield returns at once.
class InterruptibleQueue final : public EventQueue
{
public:
    InterruptibleQueue(EventQueue &inner, std::weak_ptr<const bool> stop);
    Q_DISABLE_COPY_MOVE(InterruptibleQueue)

    void yieldOnce() override;

    bool stopped() const;
    bool ownerGone() const { return m_stop.expired(); }

private:
    EventQueue &m_inner;
    std::weak_ptr<const bool> m_stop;
};

} // namespace zel
