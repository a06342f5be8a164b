#pragma once

#include "status.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace zel {

// Screen and placement services for one form: controls are placed at fixed
// distances (twips) from the edges of the form's inner area.
class WindowHelper final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowHelper)

public:
    // The only mode: placements follow the form's size.
    static constexpr int kFollowResizeMode = 2;

    explicit WindowHelper(QObject *parent = nullptr);

    // Binds the form every later call acts on.
    Status SetForm(QWidget *form);

    // Chooses the control PlaceControl acts on, a child of the form.
    Status SetControl(QWidget *control);

    // The width of the form's screen, in twips.
    Status GetScreenWidth(int &twips) const;

    // Mode 2: every later resize of the form applies the recorded placements again.
    Status SetMode(int mode);

    // Writes the form's inner width in twips into `innerWidth`; a true flag asks for a repaint.
    Status FinishLayout(bool flag, float &innerWidth);

    // Sets every placed control's geometry from its placement and the form's current inner size.
    Status ApplyLayout();

    // Records where the chosen control goes: its edges at these distances (twips) from the
    // form's inner edges. ApplyLayout moves it there.
    Status PlaceControl(int top, int left, int right, int bottom);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Placement
    {
        QPointer<QWidget> control;
        int top = 0;
        int left = 0;
        int right = 0;
        int bottom = 0;
    };

    Status requireForm(const char *operation) const;
    void applyPlacements();
    void place(const Placement &placement) const;

    QPointer<QWidget> m_form;
    QPointer<QWidget> m_control;
    std::vector<Placement> m_placements;
    bool m_followsResize = false;
};

} // namespace zel
