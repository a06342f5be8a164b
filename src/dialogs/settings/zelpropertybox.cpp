#include "zelpropertybox.h"

#include "formzelpropertybox.h"
#include "scrollvalue.h"

#include <QScrollBar>

namespace zel {

ZelPropertyBox::ZelPropertyBox(QObject *parent)
    : QObject(parent)
    , m_fZelPB(std::make_unique<FormZelPropertyBox>())
{
    connect(m_fZelPB.get(), &FormZelPropertyBox::ShiftSpeedChange, this,
            &ZelPropertyBox::FZelPB_ShiftSpeedChange);
    connect(m_fZelPB.get(), &FormZelPropertyBox::ShiftTimingChange, this,
            &ZelPropertyBox::FZelPB_ShiftTimingChange);
}

ZelPropertyBox::~ZelPropertyBox() = default;

Status ZelPropertyBox::Show(QWidget *owner)
{
    // Narrowing a range on an open dialog moves its slider, and the relay
    // stores that; the caller's values are the ones asked for.
    const qint16 shiftSpeed = m_shiftSpeed;
    const qint16 shiftTiming = m_shiftTiming;

    QScrollBar &speed = *m_fZelPB->HScrollShiftSpeed();
    speed.setMaximum(m_maxShiftSpeed);
    speed.setMinimum(m_minShiftSpeed);
    ZEL_TRY(assignScrollValue(speed, shiftSpeed, QStringLiteral("step size")));

    QScrollBar &timing = *m_fZelPB->HScrollShiftTiming();
    timing.setMaximum(m_maxShiftTiming);
    timing.setMinimum(m_minShiftTiming);
    ZEL_TRY(assignScrollValue(timing, shiftTiming, QStringLiteral("step delay")));

    m_fZelPB->Show(owner);
    return Status::ok();
}

void ZelPropertyBox::FZelPB_ShiftSpeedChange()
{
    m_shiftSpeed = static_cast<qint16>(m_fZelPB->HScrollShiftSpeed()->value());
    Q_EMIT ShiftSpeedChange();
}

void ZelPropertyBox::FZelPB_ShiftTimingChange()
{
    m_shiftTiming = static_cast<qint16>(m_fZelPB->HScrollShiftTiming()->value());
    Q_EMIT ShiftTimingChange();
}

} // namespace zel
