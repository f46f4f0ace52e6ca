#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// The preview: the picture centred, reduced to fit with its aspect kept, never enlarged. It takes
// the focus, so that its menu opens from the keyboard, and is named for screen readers by its
// tip, which names the picture.
class PreviewImage : public QWidget {
    Q_OBJECT

public:
    explicit PreviewImage(QWidget* parent = nullptr);
    // `pictureSize`: the size of the picture `image` was reduced from, which decides how large
    // it is shown (none: the image is the picture).
    void setImage(const QImage& image, QSize pictureSize = {});
    const QImage& image() const { return m_image; }

Q_SIGNALS:
    void contextMenuRequested(const QPoint& globalPos);
    // The area grew beyond what the reduced image shows sharply: a larger one would show better.
    void sharperImageWanted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    void rescale();
    QImage m_image;
    QSize m_pictureSize;
    // Scaled when first painted after a change, so a hidden window pays nothing per picture.
    QPixmap m_scaled;
    bool m_stale = false;
};
