#include "pathbox.h"

#include "formpathbox.h"

#include <limits>

namespace zel {

PathBox::PathBox(QObject *parent)
    : QObject(parent)
    , m_fpb(std::make_unique<FormPathBox>())
{
    connect(m_fpb.get(), &FormPathBox::OK, this, &PathBox::FPB_OK);
    connect(m_fpb.get(), &FormPathBox::Cancel, this, &PathBox::FPB_Cancel);
}

PathBox::~PathBox() = default;

void PathBox::setMenuName(QMenu *menu)
{
    m_fpb->setMenuName(menu);
    m_fpb->setPopUpEnabled(true);
}

Status PathBox::setPathType(qint32 type)
{
    if (type < std::numeric_limits<qint16>::min() || type > std::numeric_limits<qint16>::max())
        return Status::failure(tr("Overflow: the source kind %1 is out of range.").arg(type));
    return m_fpb->setPathType(static_cast<qint16>(type));
}

Status PathBox::setPath(const QString &path)
{
    m_fpb->setPath(path);
    return Status::ok();
}

Status PathBox::Show(QWidget *owner, qint32 &kind)
{
    if (m_fpb->isVisible())
        return Status::failure(tr("The Path Box is already open."));
    m_fpb->showModal(owner);
    kind = m_resultKind;
    return Status::ok();
}

void PathBox::ReferenceForm(FormPathBox *&form)
{
    form = m_fpb.get();
}

void PathBox::FPB_OK(const QString &vstrPath, qint16 vintPAthType)
{
    m_resultPath = vstrPath;
    m_resultKind = vintPAthType;
}

void PathBox::FPB_Cancel()
{
    m_resultKind = qint16(SourceKind::Cancelled);
}

} // namespace zel
