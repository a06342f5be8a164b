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

    // How often the text has been laid out and drawn into its picture.
    int textRenders() const { return m_textRenders; }

    bool FontBold() const override;
    bool FontItalic() const override;
    QString FontName() const override;
    double FontSize() const override;

Q_SIGNALS:
    void MouseDown(int index, Qt::MouseButton button);
    // A change of the box changed what the screen shows.
    void PictureChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void placeWidget();
    bool moveOnDevice(const QRect &pixels);
    bool showsOnScreen(const QRect &area) const;
    const QPixmap &renderedText();

    int m_index = 0;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    QString m_text;
    // The text drawn once at its own size, so that neither a move nor a
    // change of the box's size lays it out again.
    QPixmap m_rendered;
    // The device-pixel ratio the picture was drawn for; 0 once the text, the
    // font or the colours change.
    qreal m_renderedRatio = 0;
    int m_textRenders = 0;
    // Part of the box waits for its paint, so what the window holds there
    // must not be copied.
    bool m_paintPending = true;
};

} // namespace zel
