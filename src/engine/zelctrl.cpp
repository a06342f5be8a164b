#include "zelctrl.h"

#include "interruptiblequeue.h"
#include "modulemain.h"

namespace zel {

ZelCtrl::ZelCtrl(EventQueue &queue)
    : m_queue(queue)
{ }

ZelCtrl::~ZelCtrl() = default;

void ZelCtrl::setFormName(MeasuringForm *form)
{
    m_form = form;
}

void ZelCtrl::setFrameName(Frame *frame)
{
    m_frame = frame;
}

Status ZelCtrl::setTextBoxName(const TextBoxPair &boxes)
{
    m_boxes = boxes;
    return setFuel(false);
}

void ZelCtrl::setShiftSpeed(qint16 twips)
{
    m_shiftSpeed = twips;
}

void ZelCtrl::setShiftTiming(qint16 yields)
{
    m_shiftTiming = yields;
}

Status ZelCtrl::setFuel(bool on)
{
    m_fuel = on;
    TextBox *box0 = nullptr;
    ZEL_TRY(box(0, box0));
    box0->setVisible(on);
    TextBox *box1 = nullptr;
    ZEL_TRY(box(1, box1));
    box1->setVisible(on);
    return Status::ok();
}

Status ZelCtrl::setText(const QString &text)
{
    m_fullText = text;
    m_restStart = 0;
    if (m_fuel)
        return Engine();
    return Status::ok();
}

Status ZelCtrl::SetCtrl()
{
    Frame *clip = nullptr;
    ZEL_TRY(frame(clip));
    TextBox *box0 = nullptr;
    ZEL_TRY(box(0, box0));
    box0->setLeft(clip->Width());
    TextBox *box1 = nullptr;
    ZEL_TRY(box(1, box1));
    box1->setLeft(clip->Width());
    return Status::ok();
}

Status ZelCtrl::Engine()
{
    if (m_restartRequested)
        return restartRunningLoop();

    m_leadIndex = 0;
    ZEL_TRY(LoadSegment(0));

    m_restartRequested = std::make_shared<bool>(false);
    InterruptibleQueue yields(m_queue, m_restartRequested);
    const Status status = runSteps(yields);
    // The ticker may have been destroyed by an event handler during a yield:
    // then nothing of it may be touched any more, and nobody is to be told.
    if (yields.ownerGone())
        return Status::takenOver();
    m_restartRequested.reset();
    return status;
}

Status ZelCtrl::runSteps(InterruptibleQueue &yields)
{
    while (m_fuel) {
        *m_restartRequested = false;
        ZEL_TRY(step());
        Delay(yields, m_shiftTiming);
        yields.yieldOnce();
        if (yields.ownerGone())
            return Status::takenOver();
    }
    return Status::ok();
}

Status ZelCtrl::step()
{
    Frame *clip = nullptr;
    ZEL_TRY(frame(clip));
    TextBox *box0 = nullptr;
    ZEL_TRY(box(0, box0));
    box0->setTop((clip->Height() - box0->Height()) / 2);
    TextBox *box1 = nullptr;
    ZEL_TRY(box(1, box1));
    box1->setTop(box0->Top());

    TextBox *const lead = m_leadIndex == 0 ? box0 : box1;
    TextBox *const other = m_leadIndex == 0 ? box1 : box0;
    if (lead->Left() > clip->Width())
        ZEL_TRY(SetCtrl());
    lead->setLeft(lead->Left() - m_shiftSpeed);
    other->setLeft(lead->Left() + lead->Width());
    if (lead->Left() < -lead->Width()) {
        m_leadIndex = m_leadIndex == 0 ? 1 : 0;
        ZEL_TRY(LoadSegment(m_leadIndex));
    }
    return Status::ok();
}

// A call of Engine() from inside the running loop's yields: the running loop
// carries on with the first piece, as a nested loop would, but without
// nesting, so restarts cost no stack.
Status ZelCtrl::restartRunningLoop()
{
    ZEL_TRY(LoadSegment(0));
    m_leadIndex = 0;
    if (!m_fuel)
        return Status::ok();
    *m_restartRequested = true;
    return Status::takenOver();
}

Status ZelCtrl::LoadSegment(qint16 lead)
{
    if (m_restStart == 0) // RestText equals FullText: a new pass
        ZEL_TRY(SetCtrl());
    if (!m_cutter)
        m_cutter = std::make_unique<StrHelper>();

    QString head = restHead();
    QString piece;
    ZEL_TRY(m_cutter->CutHead(head, piece, kPieceLength));
    m_restStart += piece.size();
    TextBox *leading = nullptr;
    ZEL_TRY(box(lead, leading));
    leading->setText(piece);
    TextBox *following = nullptr;
    ZEL_TRY(box(lead == 0 ? 1 : 0, following));
    const QString next = restHead();
    following->setText(next.left(StrHelper::headLength(next, kPieceLength)));

    MeasuringForm *measurer = nullptr;
    ZEL_TRY(form(measurer));
    TextBox *box0 = nullptr;
    ZEL_TRY(box(0, box0));
    FitTextBox(*measurer, *box0);
    TextBox *box1 = nullptr;
    ZEL_TRY(box(1, box1));
    FitTextBox(*measurer, *box1);

    if (m_restStart == m_fullText.size()) // RestText is empty: set it to FullText
        m_restStart = 0;
    return Status::ok();
}

QString ZelCtrl::Text() const
{
    return m_restStart == 0 ? m_fullText : m_fullText.mid(m_restStart);
}

// A cut looks no further than a little past the piece it takes, so the head
// of RestText cuts exactly like the whole of it.
QString ZelCtrl::restHead() const
{
    return m_fullText.mid(m_restStart, 2 * kPieceLength);
}

Status ZelCtrl::box(int index, TextBox *&out) const
{
    out = m_boxes.at(static_cast<std::size_t>(index));
    if (!out)
        return Status::failure(
            QStringLiteral("The ticker has no display box %1 bound.").arg(index));
    return Status::ok();
}

Status ZelCtrl::frame(Frame *&out) const
{
    out = m_frame;
    if (!out)
        return Status::failure(QStringLiteral("The ticker has no frame bound."));
    return Status::ok();
}

Status ZelCtrl::form(MeasuringForm *&out) const
{
    out = m_form;
    if (!out)
        return Status::failure(QStringLiteral("The ticker has no form bound to measure its text."));
    return Status::ok();
}

} // namespace zel
