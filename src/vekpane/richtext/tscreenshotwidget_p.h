#ifndef TSCREENSHOTWIDGET_P_H
#define TSCREENSHOTWIDGET_P_H

#include "tscreenshotwidget.h"

#include <QColor>
#include <QList>
#include <QPointer>

class QAction;
class QMenu;
class QTimer;
class QToolButton;
class SelectRect;
class TImageEditWidget;

class TScreenShotWidgetPrivate
{
    Q_DECLARE_PUBLIC(TScreenShotWidget)
public:
    explicit TScreenShotWidgetPrivate(TScreenShotWidget *iPublic)
        : q_ptr(iPublic)
    {}

    static TScreenShotWidget::ScreenGrabber grabber;
    static std::shared_ptr<TCaptureWindowProvider> provider;

    void buildToolWidget();
    QMenu *buildColorMenu();
    // Steps shared by a fresh start and a return: everything but the grab.
    void startChoosing();
    void showSuggestion(const QRect &iRect);
    void showChosenRect();
    void placeToolWidget(const QRect &iRect);
    // The region with every annotation painted in.
    QPixmap annotatedRegion() const;
    void setEditingAllowed(bool iAllowed);

    QPoint lastCursorPos = QPoint(-100, -100);
    TScreenShotWidget::ShotState state = TScreenShotWidget::NotStarted;
    QRect suggestedRect;
    QTimer *cursorTimer = nullptr;
    QPixmap screenPixmap;
    // Null until the first capture starts; empty until a region is chosen.
    QPixmap regionPixmap;
    bool regionExists = false;
    QLabel *regionLabel = nullptr;
    TImageEditWidget *canvas = nullptr;
    QLabel *overlayLabel = nullptr;
    QWidget *toolWidget = nullptr;
    QColor lineColor;
    SelectRect *selectRect = nullptr;
    QRect chosenRect;
    QToolButton *colorButton = nullptr;
    QToolButton *fontSizeButton = nullptr;
    QPointer<QMenu> colorMenu;
    QMenu *fontSizeMenu = nullptr;
    QList<QAction *> toolActions;
    // Set while this capture holds the handles' editing switch off.
    bool editingLocked = false;
    TScreenShotWidget *q_ptr;
};

#endif // TSCREENSHOTWIDGET_P_H
