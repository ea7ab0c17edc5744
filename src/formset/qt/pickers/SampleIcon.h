#pragma once
#include "ctlkit/dc/CDC.h"
#include <QIcon>
#include <QSize>
#include <functional>

// An icon of `size` logical pixels whose pictures `paint` draws through a QtDC on a white
// ground, once for each device pixel ratio a screen may ask for (1, 2 and `ratio`), so that
// a sample stays sharp when the screen is scaled.
QIcon SampleIcon(QSize size, qreal ratio, const std::function<void(CDC& dc)>& paint);
