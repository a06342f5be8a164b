#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QLabel;

namespace zel {

// A small window without a title bar showing the program's version and the
// comment text kept beside the program. Any mouse press on it closes it.
class FormAboutBox final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormAboutBox)

public:
    // Creates a new box that owns itself (deleted when closed), loads the
    // comment from `programFolder`/AboutComment.txt, centres it on the screen
    // and shows it modeless.
    static QPointer<FormAboutBox> showNew(const QString &programFolder);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FormAboutBox(const QString &programFolder);

    void centreLabel();

    QPixmap m_background;
    QLabel *m_labelComment = nullptr;
};

} // namespace zel
