#pragma once
// An image control on the screen: its picture stretched to the inside of the
// control, pixels repeated, never blended; an empty picture shows nothing.

#include <QImage>
#include <QWidget>

#include "platform/picture.h"

namespace tw {

class ImageViewWidget : public QWidget {
    Q_OBJECT
public:
    // `border`: a flat 1-pixel border around the picture.
    explicit ImageViewWidget(bool border, QWidget* parent = nullptr);
    void SetPicture(const Picture& picture);
    const QImage& Image() const { return image_; }
    // Where the picture is drawn: the control less its border.
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool border_;
    QImage image_;
};

}  // namespace tw
