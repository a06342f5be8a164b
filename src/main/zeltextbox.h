#pragma once

#include "displaylayer.h"

#include <QPixmap>
#include <QWidget>

namespace zel {

// One display box of the ticker: a child of the frame that keeps its place
// and size in twips with fractions and draws its text as plain text.
class ZelTextBox final : public QWidget, public TextBox
{
    Q_OBJECT

public:
    explicit ZelTextBox(int index, QWidget *frame);

    // Told whenever a change of the box changes what the screen shows.
    void setPictureObserver(PictureObserver *observer) { m_pictureObserver = observer; }

    double Left() const override { return m_left; }
    void setLeft(double twips) override;
    double Top() const override { return m_top; }
    void setTop(double twips) override;
    double Width() const override { return m_width; }
    void setWidth(double twips) override;
    double Height() const override { return m_height; }
    void setHeight(double twips) override;
    QString Text() const override { return m_text; }
    void setText(const QString &text) override;
    void setVisible(bool visible) override;

    bool FontBold() const override;
    bool FontItalic() const override;
    QString FontName() const override;
    double FontSize() const override;

Q_SIGNALS:
    void MouseDown(int index, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void placeWidget();
    bool showsOnScreen(const QRect &area) const;
    void tellPictureChanged();
    const QPixmap &renderedText();

    int m_index = 0;
    PictureObserver *m_pictureObserver = nullptr;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    QString m_text;
    // The box drawn once per text, so that a move only copies pixels.
    QPixmap m_rendered;
};

} // namespace zel
