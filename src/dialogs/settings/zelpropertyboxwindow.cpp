#include "zelpropertyboxwindow.h"

#include "formzelpropertybox.h"
#include "gothicfont.h"

#include <QLineEdit>
#include <QScrollBar>

namespace zel {
namespace {

const QColor kCornerColour(199, 136, 136);
const QColor kAverageColour(219, 162, 162);

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;

using Button = FormZelPropertyBox::Button;

} // namespace

ZelPropertyBoxWindow::ZelPropertyBoxWindow()
    : PictureWindow(QStringLiteral("FormZelPropertyBox"), kTitle, kCornerColour, kAverageColour)
{
    const QFont momentary = gothicFont(12, true, true);
    addLabelButton(qint16(Button::Slow), QStringLiteral("l>"), { 0, 0, 500, 240 }, momentary,
                   kCentred);
    addLabelButton(qint16(Button::Fast), QStringLiteral(">>>"), { 495, 0, 495, 240 }, momentary,
                   kCentred);
    addLabelButton(qint16(Button::Pause), QStringLiteral("ll"), { 990, 0, 495, 240 }, momentary,
                   kCentred);
    addLabelButton(qint16(Button::Close), QStringLiteral("X"), { 2770, 0, 225, 225 },
                   gothicFont(9.75, true), kCentred);

    const QFont caption = gothicFont(9.75, true);
    addLabel(QStringLiteral("LabelShiftSpeed"), QStringLiteral("Speed"), { 50, 350, 600, 195 },
             caption, kLeft);
    m_textShiftSpeed = addTextBox(QStringLiteral("TextShiftSpeed"), { 2400, 300, 600, 270 });
    m_hScrollShiftSpeed = addScrollBar(QStringLiteral("HScrollShiftSpeed"), { 0, 600, 3000, 200 });
    addLabel(QStringLiteral("LabelShiftTiming"), QStringLiteral("Timing"), { 50, 950, 660, 195 },
             caption, kLeft);
    m_textShiftTiming = addTextBox(QStringLiteral("TextShiftTiming"), { 2400, 900, 600, 270 });
    m_hScrollShiftTiming =
        addScrollBar(QStringLiteral("HScrollShiftTiming"), { 0, 1200, 3000, 200 });
    addFrameLines();

    setTabOrder(m_hScrollShiftTiming, m_hScrollShiftSpeed);
    setTabOrder(m_hScrollShiftSpeed, m_textShiftSpeed);
    setTabOrder(m_textShiftSpeed, m_textShiftTiming);
    m_hScrollShiftTiming->setFocus();
}

ZelPropertyBoxWindow::~ZelPropertyBoxWindow() = default;

QScrollBar *ZelPropertyBoxWindow::addScrollBar(const QString &name, const TwipsRect &place)
{
    auto *bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(name);
    bar->setGeometry(pixelRect(place));
    bar->setRange(0, kInitialMaximum);
    bar->setValue(0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    // A drag of the thumb counts once, when it is let go.
    bar->setTracking(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QLineEdit *ZelPropertyBoxWindow::addTextBox(const QString &name, const TwipsRect &place)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(pixelRect(place));
    box->setFont(gothicFont(9, false));
    box->setTextMargins(0, 0, 0, 0);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
    return box;
}

} // namespace zel
