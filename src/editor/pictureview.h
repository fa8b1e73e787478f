// A picture shown proportionally (scaled down to fit, never up) and centred.
#pragma once

#include <QImage>
#include <QWidget>

namespace zorvik {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // Loads a picture file; on failure the view is emptied and `error` gets
    // the reason.
    bool load(const QString& path, QString* error = nullptr);
    void setImage(const QImage& image);
    void clear() { setImage({}); }
    const QImage& image() const { return image_; }
    // Where the picture is drawn inside the view.
    QRect pictureRect() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

} // namespace zorvik
