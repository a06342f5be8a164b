#include "windowhelper.h"

#include "twips.h"

#include <QEvent>
#include <QScreen>

#include <algorithm>

namespace zel {

namespace {

QString describe(const QWidget *widget)
{
    const QString name = widget->objectName();
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                          : QStringLiteral("\"%1\"").arg(name);
}

} // namespace

WindowHelper::WindowHelper(QObject *parent)
    : QObject(parent)
{ }

Status WindowHelper::SetForm(QWidget *form)
{
    if (!form)
        return Status::failure(QStringLiteral("SetForm: no form was given."));
    if (m_form)
        m_form->removeEventFilter(this);
    m_form = form;
    m_control = nullptr;
    m_placements.clear();
    m_followsResize = false;
    return Status::ok();
}

Status WindowHelper::SetControl(QWidget *control)
{
    ZEL_TRY(requireForm("SetControl"));
    if (!control)
        return Status::failure(QStringLiteral("SetControl: no control was given."));
    if (control->parentWidget() != m_form)
        return Status::failure(QStringLiteral("SetControl: %1 is not a control of the form %2.")
                                   .arg(describe(control), describe(m_form)));
    m_control = control;
    return Status::ok();
}

Status WindowHelper::GetScreenWidth(int &twips) const
{
    ZEL_TRY(requireForm("GetScreenWidth"));
    const QScreen *screen = m_form->screen();
    if (!screen)
        return Status::failure(QStringLiteral("GetScreenWidth: the form is on no screen."));
    twips = static_cast<int>(pixelsToTwips(screen->geometry().width()));
    return Status::ok();
}

Status WindowHelper::SetMode(int mode)
{
    ZEL_TRY(requireForm("SetMode"));
    if (mode != kFollowResizeMode)
        return Status::failure(QStringLiteral("SetMode: unknown mode %1.").arg(mode));
    if (!m_followsResize)
        m_form->installEventFilter(this);
    m_followsResize = true;
    return Status::ok();
}

Status WindowHelper::FinishLayout(bool flag, float &innerWidth)
{
    ZEL_TRY(requireForm("FinishLayout"));
    innerWidth = static_cast<float>(pixelsToTwips(m_form->width()));
    if (flag)
        m_form->update();
    return Status::ok();
}

Status WindowHelper::ApplyLayout()
{
    ZEL_TRY(requireForm("ApplyLayout"));
    applyPlacements();
    return Status::ok();
}

Status WindowHelper::PlaceControl(int top, int left, int right, int bottom)
{
    ZEL_TRY(requireForm("PlaceControl"));
    if (!m_control)
        return Status::failure(QStringLiteral("PlaceControl: no control was chosen."));
    const auto same = [this](const Placement &p) { return p.control == m_control; };
    const Placement placement { m_control, top, left, right, bottom };
    if (auto it = std::find_if(m_placements.begin(), m_placements.end(), same);
        it != m_placements.end())
        *it = placement;
    else
        m_placements.push_back(placement);
    return Status::ok();
}

bool WindowHelper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form && event->type() == QEvent::Resize)
        applyPlacements();
    return QObject::eventFilter(watched, event);
}

Status WindowHelper::requireForm(const char *operation) const
{
    if (!m_form)
        return Status::failure(
            QStringLiteral("%1: no form is bound.").arg(QLatin1StringView(operation)));
    return Status::ok();
}

void WindowHelper::applyPlacements()
{
    std::erase_if(m_placements, [](const Placement &p) { return p.control.isNull(); });
    for (const Placement &placement : m_placements)
        place(placement);
}

void WindowHelper::place(const Placement &placement) const
{
    const QSize inner = m_form->size();
    const int left = twipsToPixels(placement.left);
    const int top = twipsToPixels(placement.top);
    const int right = inner.width() - twipsToPixels(placement.right);
    const int bottom = inner.height() - twipsToPixels(placement.bottom);
    placement.control->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

} // namespace zel
