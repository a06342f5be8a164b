#include "formaboutbox.h"

#include "abouttext.h"
#include "backgroundpicture.h"
#include "gothicfont.h"
#include "keepabove.h"
#include "picturelook.h"
#include "screencentre.h"
#include "twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace zel {

namespace {

constexpr double kInnerWidth = 3000;
constexpr double kInnerHeight = 1500;

} // namespace

QPointer<FormAboutBox> FormAboutBox::showNew(const QString &programFolder)
{
    // The box owns itself: WA_DeleteOnClose frees it when a press closes it.
    QPointer<FormAboutBox> box = new FormAboutBox(programFolder);
    centreOnScreen(*box);
    box->show();
    return box;
}

FormAboutBox::FormAboutBox(const QString &programFolder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | kKeepAbove)
    , m_background(backgroundPicture(QColor(176, 176, 176), QColor(200, 200, 200)))
{
    setObjectName(QStringLiteral("FormAboutBox"));
    setWindowTitle(QStringLiteral("About Zel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(kInnerWidth), twipsToPixels(kInnerHeight));

    m_labelComment = new QLabel(this);
    m_labelComment->setObjectName(QStringLiteral("LabelComment"));
    styleLabel(*m_labelComment, gothicFont(8.25, false), Qt::AlignHCenter | Qt::AlignTop);
    m_labelComment->setWordWrap(false);
    m_labelComment->installEventFilter(this);

    m_labelComment->setText(displayLines(aboutCaptionFor(programFolder)));
    centreLabel();
}

void FormAboutBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64));
    painter.drawPixmap(0, 0, m_background);
    drawThinBorder(painter, rect());
}

void FormAboutBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    close();
}

bool FormAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_labelComment && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FormAboutBox::centreLabel()
{
    m_labelComment->adjustSize();
    const float height = float(pixelsToTwips(m_labelComment->height()));
    const float width = float(pixelsToTwips(m_labelComment->width()));
    const float top = (float(kInnerHeight) - height) / 2;
    const float left = (float(kInnerWidth) - width) / 2;
    m_labelComment->move(twipsToPixels(left), twipsToPixels(top));
}

} // namespace zel
