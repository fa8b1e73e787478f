// A picture drawn proportionally inside its frame: centred and only shrunk
// (the testing window), or fitted to the width and height and aligned to the
// top (the picture window). The question editor shows its picture the
// testing window's way.
#pragma once

#include <QImage>
#include <QWidget>

namespace zorvik {

class Storage;

// Reads a picture file through the storage (regular files only, size-capped);
// a null image when it cannot be read, `error` then getting the reason.
QImage readPictureFile(const QString& path, const Storage& storage, QString* error = nullptr);

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class Fit { ShrinkCentred, FitTop };
    explicit PictureBox(QWidget* parent = nullptr, Fit fit = Fit::ShrinkCentred);

    // Loads a picture file; false (and an empty box) when it cannot be read,
    // `error` then getting the reason.
    bool load(const QString& path, const Storage& storage, QString* error = nullptr);
    void setImage(const QImage& image);
    void clear() { setImage({}); }
    const QImage& image() const { return image_; }
    bool hasPicture() const { return !image_.isNull(); }
    // Where the picture is drawn inside the box.
    QRect pictureRect() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
    Fit fit_;
};

} // namespace zorvik
