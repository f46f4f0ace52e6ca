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
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

Q_SIGNALS:
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    void rescale();
    QImage m_image;
    // Scaled when first painted after a change, so a hidden window pays nothing per picture.
    QPixmap m_scaled;
    bool m_stale = false;
};
