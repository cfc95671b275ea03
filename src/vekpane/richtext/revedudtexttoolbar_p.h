#ifndef REVEDUDTEXTTOOLBAR_P_H
#define REVEDUDTEXTTOOLBAR_P_H

#include "revedudtexttoolbar.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>

class QAction;
class QComboBox;
class QFontComboBox;
class QMenu;
class QToolButton;
class TPushButtonScreenShots;
class TScreenShotWidget;

class REvedudTextToolBarPrivate
{
    Q_DECLARE_PUBLIC(REvedudTextToolBar)
public:
    explicit REvedudTextToolBarPrivate(REvedudTextToolBar *iPublic)
        : q_ptr(iPublic)
    {}
    ~REvedudTextToolBarPrivate();

    void setupEditActions();
    void setupFontActions();
    void setupTextActions();
    void setupColorActions();
    void setupAlignActions();
    // Fills a menu with the swatches and an "other color" entry; iSwatch
    // receives a picked swatch, iDialog the entry.
    void fillColorMenu(QMenu *iMenu, void (REvedudTextToolBar::*iSwatch)(const QColor &),
                       void (REvedudTextToolBar::*iDialog)(), const QKeySequence &iKey);
    void fillUnderLineMenu(QMenu *iMenu);
    QWidget *createDefaultWgt(const QVariant &iData, const QSize &iSize) const;
    QIcon createIcon(const QString &iKind, const QVariant &iValue) const;
    void fontChanged(const QFont &iFont);
    void textChanged(const QTextCharFormat &iFormat);
    void colorChanged(const QColor &iColor);
    void bgColorChanged(const QColor &iColor);
    void underLineChanged();
    void alignmentChanged(Qt::Alignment iAlignment);
    void mergeFormatOnWordOrSelection(const QTextCharFormat &iFormat);
    void textInsertImage(const QImage &iImage);
    void focusEditor();

    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QFontComboBox *fontBox = nullptr;
    QComboBox *sizeBox = nullptr;
    QAction *screenshotAction = nullptr;
    QPointer<TPushButtonScreenShots> floatingButton;
    QAction *boldAction = nullptr;
    QAction *italicAction = nullptr;
    QAction *underlineAction = nullptr;
    QAction *colorAction = nullptr;
    QAction *bgColorAction = nullptr;
    QAction *leftAction = nullptr;
    QAction *centerAction = nullptr;
    QAction *rightAction = nullptr;
    QAction *justifyAction = nullptr;
    QAction *insertImageAction = nullptr;
    QMenu *underlineMenu = nullptr;
    QMenu *colorMenu = nullptr;
    QMenu *bgMenu = nullptr;
    bool underlineMenuFilled = false;
    bool colorMenuFilled = false;
    bool bgMenuFilled = false;
    QPointer<QTextEdit> textEdit;
    // What ties the tool bar to the current editor, dropped when it changes.
    QList<QMetaObject::Connection> editorConnections;
    int underlineStyle = QTextCharFormat::SingleUnderline;
    QColor underlineColor = QColor(Qt::black);
    QPointer<TScreenShotWidget> capture;
    QString defaultImageDir;
    QToolButton *underlineButton = nullptr;
    QToolButton *colorButton = nullptr;
    QToolButton *bgButton = nullptr;
    REvedudTextToolBar *q_ptr;
};

#endif // REVEDUDTEXTTOOLBAR_P_H
