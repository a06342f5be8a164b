#pragma once

#include "status.h"

#include <QObject>

#include <memory>

class QWidget;

namespace zel {

class FormZelPropertyBox;

// The speed settings the main window talks to: holds the step size and step
// delay with their limits, seeds its form from them on every Show and relays
// each change the user makes as ShiftSpeedChange / ShiftTimingChange. The
// properties are plain stores; an open dialog only sees them at the next Show.
class ZelPropertyBox final : public QObject
{
    Q_OBJECT
public:
    explicit ZelPropertyBox(QObject *parent = nullptr);
    ~ZelPropertyBox() override;
    Q_DISABLE_COPY_MOVE(ZelPropertyBox)

    qint16 MaxShiftSpeed() const { return m_maxShiftSpeed; }
    void setMaxShiftSpeed(qint16 v) { m_maxShiftSpeed = v; }
    qint16 MaxShiftTiming() const { return m_maxShiftTiming; }
    void setMaxShiftTiming(qint16 v) { m_maxShiftTiming = v; }
    qint16 MinShiftSpeed() const { return m_minShiftSpeed; }
    void setMinShiftSpeed(qint16 v) { m_minShiftSpeed = v; }
    qint16 MinShiftTiming() const { return m_minShiftTiming; }
    void setMinShiftTiming(qint16 v) { m_minShiftTiming = v; }
    qint16 ShiftSpeed() const { return m_shiftSpeed; }
    void setShiftSpeed(qint16 v) { m_shiftSpeed = v; }
    qint16 ShiftTiming() const { return m_shiftTiming; }
    void setShiftTiming(qint16 v) { m_shiftTiming = v; }

    // Puts the limits and values into the form's sliders and shows it
    // modeless; returns at once. Fails, leaving the dialog unshown, when a
    // value lies outside its limits.
    Status Show(QWidget *owner = nullptr);

    FormZelPropertyBox *form() const { return m_fZelPB.get(); }

Q_SIGNALS:
    void ShiftSpeedChange();
    void ShiftTimingChange();

private:
    void FZelPB_ShiftSpeedChange();
    void FZelPB_ShiftTimingChange();

    qint16 m_maxShiftSpeed = 0;
    qint16 m_maxShiftTiming = 0;
    qint16 m_minShiftSpeed = 0;
    qint16 m_minShiftTiming = 0;
    qint16 m_shiftSpeed = 0;
    qint16 m_shiftTiming = 0;
    std::unique_ptr<FormZelPropertyBox> m_fZelPB;
};

} // namespace zel
