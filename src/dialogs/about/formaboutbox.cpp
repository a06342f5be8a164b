#include "formaboutbox.h"

#include "abouttext.h"
#include "backgroundpicture.h"
#include "gothicfont.h"
#include "twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace zel {

namespace {

constexpr double kInnerWidth = 3000;
constexpr double kInnerHeight = 1500;

} // namespace

QPointer<FormAboutBox> FormAboutBox::showNew(const QString &programFolder)
{
    // The box owns itself: WA_DeleteOnClose frees it when a press closes it.
    QPointer<FormAboutBox> box = new FormAboutBox(programFolder);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        box->move(screen->geometry().center() - box->rect().center());
    box->show();
    return box;
}

FormAboutBox::FormAboutBox(const QString &programFolder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_background(backgroundPicture(QColor(176, 176, 176), QColor(200, 200, 200)))
{
    setObjectName(QStringLiteral("FormAboutBox"));
    setWindowTitle(QStringLiteral("About Zel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(kInnerWidth), twipsToPixels(kInnerHeight));

    m_LabelComment = new QLabel(this);
    m_LabelComment->setObjectName(QStringLiteral("LabelComment"));
    m_LabelComment->setTextFormat(Qt::PlainText);
    m_LabelComment->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_LabelComment->setWordWrap(false);
    m_LabelComment->setFont(gothicFont(8.25, false));
    m_LabelComment->setAutoFillBackground(false);
    QPalette palette = m_LabelComment->palette();
    palette.setColor(QPalette::WindowText, QColor(64, 64, 64));
    m_LabelComment->setPalette(palette);
    m_LabelComment->installEventFilter(this);

    m_LabelComment->setText(displayLines(aboutCaptionFor(programFolder)));
    centreLabel();
}

void FormAboutBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64));
    painter.drawPixmap(0, 0, m_background);
}

void FormAboutBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    close();
}

bool FormAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_LabelComment && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FormAboutBox::centreLabel()
{
    m_LabelComment->adjustSize();
    const float height = float(pixelsToTwips(m_LabelComment->height()));
    const float width = float(pixelsToTwips(m_LabelComment->width()));
    const float top = (float(kInnerHeight) - height) / 2;
    const float left = (float(kInnerWidth) - width) / 2;
    m_LabelComment->move(twipsToPixels(left), twipsToPixels(top));
}

} // namespace zel
