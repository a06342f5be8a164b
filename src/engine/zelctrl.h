#pragma once

#include "displaylayer.h"
#include "status.h"
#include "strhelper.h"

#include <QString>

#include <array>
#include <memory>

namespace zel {

class InterruptibleQueue;

using TextBoxPair = std::array<TextBox *, 2>;

// The ticker: runs a text from right to left through a clipping frame, in
// pieces of at most kPieceLength characters carried by two boxes that take
// turns. It holds only references to the form, the frame and the boxes.
//
// Engine() stays in its step loop, yielding to the event queue, until Fuel
// goes off. An Engine() call made from inside those yields (directly or
// through setText while Fuel is on) does not nest a second loop: it restarts
// the running one with the first piece and returns Status::takenOver().
class ZelCtrl final
{
public:
    static constexpr int kPieceLength = 512;

    explicit ZelCtrl(EventQueue &queue);
    ~ZelCtrl();
    Q_DISABLE_COPY_MOVE(ZelCtrl)

    void setFormName(MeasuringForm *form);
    void setFrameName(Frame *frame);
    Status setTextBoxName(const TextBoxPair &boxes);

    qint16 ShiftSpeed() const { return m_shiftSpeed; }
    void setShiftSpeed(qint16 twips);
    qint16 ShiftTiming() const { return m_shiftTiming; }
    void setShiftTiming(qint16 yields);
    bool Fuel() const { return m_fuel; }
    Status setFuel(bool on);
    // RestText: the text not yet cut into pieces in the current pass.
    QString Text() const;
    Status setText(const QString &text);

    Status SetCtrl();
    Status Engine();

private:
    Status LoadSegment(qint16 lead);
    QString restHead() const;
    Status runSteps(InterruptibleQueue &yields);
    Status step();
    Status restartRunningLoop();

    Status box(int index, TextBox *&out) const;
    Status frame(Frame *&out) const;
    Status form(MeasuringForm *&out) const;

    EventQueue &m_queue;
    MeasuringForm *m_form = nullptr;
    Frame *m_frame = nullptr;
    TextBoxPair m_boxes {};
    qint16 m_shiftSpeed = 1;
    qint16 m_shiftTiming = 0;
    bool m_fuel = false;
    QString m_fullText;
    // RestText is the tail of FullText from here on; it is kept as a position
    // so that a pass copies nothing but its pieces.
    qsizetype m_restStart = 0;
    std::unique_ptr<StrHelper> m_cutter;

    // Set while a step loop runs: the box now leading, and whether a restart
    // asked the loop to drop the rest of the current step's yields.
    qint16 m_leadIndex = 0;
    std::shared_ptr<bool> m_restartRequested;
};

} // namespace zel
