// A box that shows a picture stretched to its own size (the preview and the filter result).
#pragma once

#include <QImage>
#include <QWidget>

namespace imagefx::ui {

class PictureView final : public QWidget {
public:
    explicit PictureView(QWidget* parent = nullptr);

    // Draws `image` stretched to the box's current size; keeps only the stretched copy.
    void setImage(const QImage& image);
    const QImage& shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage shown_;
};

}  // namespace imagefx::ui
