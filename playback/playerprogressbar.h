#pragma once

#include <QWidget>

class QLabel;

// The full progress bar: a filled part and a draggable thumb showing a percent, changed by dragging
// the thumb or clicking the bar, plus a one-pixel marker that follows the pointer. Its geometry is
// kept in twips and converted to pixels only when the children are placed.
class PlayerProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit PlayerProgressBar(QWidget* parent = nullptr);

    float Value() const { return m_value; }
    // Takes values from 0 to 100 and ignores others; raises no event.
    void SetValue(float vNewValue);
    bool HideTinyLable() const;
    void SetHideTinyLable(bool bHide);

    QSize sizeHint() const override;

signals:
    // Raised only by the user, only when the value changed, after the thumb has moved.
    void DragProgress(float Percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    double widthTwips() const;
    bool ChangeValue(float p);
    void clickAt(double x);
    void showMarkerAt(double x);
    void thumbPressed(double x);
    void thumbMoved(double x);
    void placeThumb();
    void placeFilledPart();
    void updateTooltip();

    QLabel* m_lblProg;
    QLabel* m_dragIcon;
    QLabel* m_lblTiny;
    float m_value = 0.0f;
    bool m_isDragging = false;
    double m_dragStartX = 0; // twips, in the thumb's own coordinates
    double m_thumbLeft = 0; // twips
    double m_filledWidth = 0; // twips
};
