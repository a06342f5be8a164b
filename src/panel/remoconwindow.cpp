#include "remoconwindow.h"

#include "formremocon.h"
#include "gothicfont.h"

#include <QLabel>

namespace zel {
namespace {

const QColor kCornerColour(109, 142, 178);
const QColor kAverageColour(137, 168, 199);

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;

using Command = FormRemoCon::Command;

} // namespace

RemoConWindow::RemoConWindow()
    : PictureWindow(QStringLiteral("FormRemoCon"), kTitle, kCornerColour, kAverageColour,
                    Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    const QFont command = gothicFont(12, true, true);
    addLabelButton(qint16(Command::GetData), QStringLiteral("Get Zel Data"),
                   { 100, 100, 1530, 240 }, command, kLeft);
    addLabelButton(qint16(Command::SettingSpeed), QStringLiteral("Setting Speed"),
                   { 105, 405, 1635, 240 }, command, kLeft);
    addLabelButton(qint16(Command::ReLoad), QStringLiteral("ReLoad Data"), { 105, 705, 1500, 240 },
                   command, kLeft);
    addLabelButton(qint16(Command::Quit), QStringLiteral("Quit Zel"), { 105, 1005, 960, 240 },
                   command, kLeft);
    addLabelButton(qint16(Command::About), kCredit, { 50, 1300, 1860, 165 },
                   gothicFont(8.25, false, true), kLeft);
    addLabelButton(qint16(Command::Close), QStringLiteral("X"), { 2770, 0, 225, 225 },
                   gothicFont(9.75, true), Qt::AlignHCenter | Qt::AlignTop);
    m_labelAbout =
        addLabel(QStringLiteral("LabelAbout"), QStringLiteral("Ver"), { 2100, 1300, 900, 165 },
                 gothicFont(8.25, false), Qt::AlignRight | Qt::AlignTop);
    addFrameLines();
}

RemoConWindow::~RemoConWindow() = default;

} // namespace zel
