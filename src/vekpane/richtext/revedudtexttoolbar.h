#ifndef REVEDUDTEXTTOOLBAR_H
#define REVEDUDTEXTTOOLBAR_H

#include "vekpane_export.h"

#include <QColor>
#include <QPixmap>
#include <QTextCharFormat>
#include <QToolBar>

#include <memory>

class QTextEdit;
class REvedudTextToolBarPrivate;

/*!
 * A formatting tool bar for a QTextEdit: undo and redo, font family and size,
 * bold, italic, underline with style and colour, text and background colours,
 * alignment, and images inserted from files or screen captures (embedded as
 * JPEG data). Its controls follow the format at the editor's cursor.
 */
class VEKPANE_EXPORT REvedudTextToolBar : public QToolBar
{
    Q_OBJECT
    Q_PROPERTY(QTextEdit *textEdit READ textEdit WRITE setTextEdit)
public:
    explicit REvedudTextToolBar(QWidget *iParent = nullptr);
    ~REvedudTextToolBar() override;

public Q_SLOTS:
    /*! The editor the tool bar works on, or null. */
    QTextEdit *textEdit() const;
    /*! Works on this editor from now on (the previous one is let go); null is ignored. */
    void setTextEdit(QTextEdit *iTextEditPtr);
    /*! Sets the font family of the selection or the cursor. */
    void textFont(const QString &iFontStr);
    /*! Sets the point size; a text that is not a number above 0 changes nothing. */
    void textSize(const QString &iPStr);
    /*! Shows the floating button that starts a screen capture. */
    void screenshot();
    /*! Starts the screen capture whose result is inserted into the editor. */
    void screenBtnshot();
    /*! Bold on or off, by the bold action. */
    void textBold();
    /*! Italic on or off, by the italic action. */
    void textItalic();
    /*! Underline on (in the chosen style) or off, by the underline action. */
    void textUnderline();
    /*! Fills the underline menu when it first opens. */
    void showUnderLineMenu();
    /*! Takes the underline style of the menu entry that was triggered. */
    void textUnderlineStyle();
    /*! Underlines, with a colour picked in a colour dialog. */
    void textUnderlineColor();
    /*! Underlines in the given colour; an invalid colour changes nothing. */
    void textUnderlineColor(const QColor &iColor);
    /*! Colours the text with a colour picked in a colour dialog. */
    void textColor();
    /*! Colours the text; an invalid colour changes nothing. */
    void textColor(const QColor &iColor);
    /*! Fills the text colour menu when it first opens. */
    void showColorMenu();
    /*! Sets the text background from a colour dialog. */
    void textBgColor();
    /*! Sets the text background; an invalid colour changes nothing. */
    void textBgColor(const QColor &iColor);
    /*! Fills the background menu when it first opens. */
    void showBgMenu();
    /*! Gives the text a white background. */
    void clearBgColor();
    /*! Aligns the paragraph by one of the alignment actions. */
    void textAlign(QAction *iActionPtr);
    /*! Asks for an image file and inserts it. */
    void textInsertPhoto();
    /*! Inserts an image at the cursor; a null image inserts nothing. */
    void textInsertPixmap(const QPixmap &iPixmap);
    /*! Shows the format at the cursor in the controls. */
    void currentCharFormatChanged(const QTextCharFormat &iFormat);
    /*! Shows the paragraph alignment at the cursor. */
    void cursorPositionChanged();
    /*! The folder in which the image file dialog opens. */
    QString defaultImageDir() const;
    /*! Sets the folder in which the image file dialog opens. */
    void setDefaultImageDir(const QString &iPhotoDir);

private:
    Q_DISABLE_COPY(REvedudTextToolBar)
    Q_DECLARE_PRIVATE_D(d, REvedudTextToolBar)
    const std::unique_ptr<REvedudTextToolBarPrivate> d;
};

#endif // REVEDUDTEXTTOOLBAR_H
