#pragma once

#include "picturewindow.h"

namespace zel {

// The remote-control panel's window: pale blue, with the command
// label-buttons, the credit line, the close button and the version label.
// Takes no keyboard focus.
class RemoConWindow final : public PictureWindow
{
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Zel Remote Control");
    static inline const QString kCredit = QStringLiteral(u"© The Zel authors");

    RemoConWindow();
    ~RemoConWindow() override;
    Q_DISABLE_COPY_MOVE(RemoConWindow)

    QLabel *LabelAbout() const { return m_labelAbout; }

private:
    QLabel *m_labelAbout = nullptr;
};

} // namespace zel
