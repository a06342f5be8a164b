#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace zel {

// Keeps a strip in sight as desktop panels are kept: above other windows, on
// every workspace, and, while it touches the top or the bottom edge of its
// screen, with its line kept free of other windows. A strip let go near such
// an edge snaps to it. Where the compositor places windows it does nothing.
class StripDock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StripDock)

public:
    // Must be made before the strip is first shown.
    explicit StripDock(QWidget &strip);
    ~StripDock() override;

    // The strip has been let go after a drag.
    void letGo();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reserve();

    QPointer<QWidget> m_strip;
};

} // namespace zel
