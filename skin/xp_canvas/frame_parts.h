// The frame's painted bars, its invisible resize grips and its title-bar icon.
#pragma once

#include <QImage>
#include <QWidget>

#include "skin/core/edge_resize.h"

namespace skin {

// A bar shows what the last layout painted on it and nothing else.
class FrameBar : public QWidget {
public:
    using QWidget::QWidget;
    QImage image;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// An empty, unpainted area used only for its cursor and its mouse events.
class FrameGrip : public QWidget {
public:
    FrameGrip(Edge edge, QWidget* parent) : QWidget(parent), edge(edge) {}
    const Edge edge;
};

// The title-bar icon, stretched to its own size.
class FrameIcon : public QWidget {
public:
    using QWidget::QWidget;
    QImage image;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace skin
