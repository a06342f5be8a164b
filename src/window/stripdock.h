#pragma once

#include "screenedge.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class QWidget;

namespace zel {

// Keeps a strip in sight as desktop panels are kept: above other windows, on
// every workspace, fully inside one monitor, and, while it lies at the top or
// the bottom edge of its monitor, with its line kept free of other windows.
// A strip let go near such an edge snaps to it and stays docked there when
// the monitors change. Where the compositor places windows it only drags.
class StripDock final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StripDock)

public:
    // Must be made before the strip is first shown.
    explicit StripDock(QWidget &strip);
    ~StripDock() override;

    // Drags the strip with the pointer; `dropped` runs once it has been let
    // go and put in its place.
    void drag(const std::function<void()> &dropped);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void drop();
    void followMonitors();
    void updateStrut();
    void placeAt(const StripPlace &place);
    QRect stripInServerPixels() const;

    QPointer<QWidget> m_strip;
    const bool m_docks;
    bool m_held = false;
    bool m_placeKnown = false;
    ScreenEdge m_edge = ScreenEdge::None;
    QRect m_monitor;
    StrutPartial m_strut;
    bool m_legacyStrut = false;
    // Where the last press on the strip went down, for a drag it starts.
    std::optional<QPoint> m_pressedAt;
    QTimer m_follow;
    QTimer m_strutUpdate;
};

} // namespace zel
