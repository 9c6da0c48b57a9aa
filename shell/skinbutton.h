#pragma once

#include <QIcon>
#include <QWidget>

// One picture of the skin, with the resource name it came from (so a swapped slot still says what it shows).
struct SkinPicture {
    QString name;
    QIcon icon;
    bool isNull() const { return name.isEmpty(); }
};

// An image control of the skin: shows one picture at its own size and reports the mouse to its group,
// which decides the picture. A left release over the button is a click.
class SkinButton : public QWidget {
    Q_OBJECT
public:
    SkinButton(int index, QWidget* parent);

    int index() const { return m_index; }
    void setPicture(const SkinPicture& picture);
    // The resource name of the picture on show; empty before the first one.
    QString pictureName() const { return m_picture.name; }

signals:
    void mouseDown(int index);
    void mouseMove(int index);
    void mouseUp(int index);
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
    SkinPicture m_picture;
};
