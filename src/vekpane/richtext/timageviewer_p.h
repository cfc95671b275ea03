#ifndef TIMAGEVIEWER_P_H
#define TIMAGEVIEWER_P_H

#include "timageviewer.h"

class QAction;
class QLabel;
class QScrollArea;

class TImageViewerPrivate
{
    Q_DECLARE_PUBLIC(TImageViewer)
public:
    explicit TImageViewerPrivate(TImageViewer *iPublic)
        : q_ptr(iPublic)
    {}

    void adjustImageSize();
    void rotate(double iDegrees);
    // The largest zoom at which the shown image stays within the budget.
    double maxScale() const;

    QPixmap image;
    QLabel *imageLabel = nullptr;
    QScrollArea *scrollArea = nullptr;
    QString viewType = QStringLiteral("normal");
    QSize fixedSize;
    QMenu *contextMenu = nullptr;
    QAction *screenshotAction = nullptr;
    QAction *rRotateAction = nullptr;
    QAction *lRotateAction = nullptr;
    double scale = 1.0;
    double fitScale = 1.0;
    int lastX = 0;
    int lastY = 0;
    QSize pixelSize;
    QString imageName;
    TImageViewer *q_ptr;
};

#endif // TIMAGEVIEWER_P_H
