// The preview `Pic`: a sunken picture box with the icon drawn at its inner top-left corner.
#pragma once

#include <QFrame>
#include <QImage>

namespace shellstyle::ui {

class IconPreview : public QFrame {
    Q_OBJECT
public:
    explicit IconPreview(QWidget* parent = nullptr);

    void Cls();                          // clears the picture
    void drawIcon(const QImage& icon);   // draws at (0, 0) of the inner area
    const QImage& shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage shown_;
};

}  // namespace shellstyle::ui
