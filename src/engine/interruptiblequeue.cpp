#include "interruptiblequeue.h"

#include <utility>

namespace zel {

InterruptibleQueue::InterruptibleQueue(EventQueue &inner, std::weak_ptr<const bool> stop)
    : m_inner(inner)
    , m_stop(std::move(stop))
{ }

void InterruptibleQueue::yieldOnce()
{
    if (!stopped())
        m_inner.yieldOnce();
}

bool InterruptibleQueue::stopped() const
{
    const std::shared_ptr<const bool> stop = m_stop.lock();
    return !stop || *stop;
}

} // namespace zel
