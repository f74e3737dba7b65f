// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor_placement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace zt {

namespace {

struct Placement {
    double widthDivisor;
    double heightDivisor;
    // Left and top from the area's size and the window's own.
    int (*left)(int areaWidth, int width);
    int (*top)(int areaHeight, int height);
};

constexpr int kTwipsPerPixel = 15;

int Centred(int area, int own) { return (area - own) / 2; }

}  // namespace

void placeEditor(WindowId id, QMdiSubWindow* frame, const QMdiArea* area) {
    Placement p{};
    switch (id) {
        case WindowId::Option:
            p = {1.04, 1.25, [](int a, int w) { return Centred(a, w) - 100 / kTwipsPerPixel; },
                 [](int, int) { return 0; }};
            break;
        case WindowId::Test:
            p = {2, 1.3, Centred, [](int a, int h) { return (a - h) / 10; }};
            break;
        case WindowId::Message:
            p = {2, 2.8, Centred, [](int a, int h) { return (a - h) / 4; }};
            break;
        case WindowId::Key:
            p = {1.5, 1.4, Centred, [](int, int) { return 200 / kTwipsPerPixel; }};
            break;
        case WindowId::Scan:
            p = {1.8, 1.4, Centred, [](int a, int h) { return (a - h) / 8; }};
            break;
        case WindowId::CommRead:
        case WindowId::CommWrite:
            p = {1.6, 3, Centred, [](int a, int h) { return static_cast<int>((a - h) / 1.45); }};
            break;
        case WindowId::Adjust:
            p = {1.8, 2, Centred, [](int a, int h) { return (a - h) / 3; }};
            break;
        default:
            return;
    }
    const QSize size = area->viewport()->size();
    const QSize hint = frame->minimumSizeHint();
    const int width = std::max(static_cast<int>(size.width() / p.widthDivisor), hint.width());
    const int height = std::max(static_cast<int>(size.height() / p.heightDivisor), hint.height());
    frame->resize(width, height);
    frame->move(std::max(0, p.left(size.width(), width)),
                std::max(0, p.top(size.height(), height)));
}

}  // namespace zt
