#ifndef TFORMLAYOUT_H
#define TFORMLAYOUT_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <memory>

#include <QGridLayout>

class TFormLayoutPrivate;

/*!
 * A form on a grid: each entry is a field (a widget or a nested layout) with
 * an optional label before it, an optional separator text between the two
 * and an optional units label after it. Entries are packed one after another
 * into form columns; a line holds columnCount() entries, then the next entry
 * starts a new line.
 *
 * Form column c owns the grid columns 5c (label), 5c+1 (separator), 5c+2
 * (field, stretching), 5c+3 (units) and 5c+4 (the gap to the next form
 * column, at least columnSpacing() wide). A line takes two grid rows: the
 * first for labels and side-by-side fields, the second for fields placed
 * under their label.
 *
 * Layout types of the pack calls: 0 (and any other value) label, separator,
 * field and units side by side; 1 label above the field; 2 the field alone
 * across its whole column group.
 *
 * The column spacing, "margin" and the spacings run from 0 to the pixel bound
 * that docs/scripts.md gives (a spacing also -1, the style's); anything else
 * is refused with one error line.
 */
class VEKPANE_EXPORT TFormLayout : public QGridLayout, public TuiAbstract
{
    Q_OBJECT
    // Scripts reach Qt's "spacing" and "margin" properties too: these take
    // them through the checked keys.
    Q_PROPERTY(int spacing READ spacing WRITE setSpacingProperty)
    Q_PROPERTY(int margin READ marginProperty WRITE setMarginProperty)
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)
    Q_PROPERTY(Qt::Alignment labelAlignment READ labelAlignment WRITE setLabelAlignment)
    Q_PROPERTY(QString separator READ separator WRITE setSeparator)
    Q_PROPERTY(int columnSpacing READ columnSpacing WRITE setColumnSpacing)
    Q_PROPERTY(QVariantMap labelProperty READ labelProperty WRITE setLabelProperty)
    Q_PROPERTY(QVariantMap unitsProperty READ unitsProperty WRITE setUnitsProperty)
    Q_PROPERTY(QVariantMap separatorProperty READ separatorProperty WRITE setSeparatorProperty)
public:
    explicit TFormLayout(QWidget *iParent = nullptr);
    ~TFormLayout() override;

    // What the layout asks for stays within the pixel bound.
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    int heightForWidth(int iWidth) const override;
    int minimumHeightForWidth(int iWidth) const override;

public Q_SLOTS:
    //! Sets a form or spacing key; other keys go to the common handling.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads a form or spacing key; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! Form columns per line.
    int columnCount() const;
    //! Sets the form columns per line; entries already packed stay where they are.
    void setColumnCount(int iColumnCountInt);
    //! Alignment of labels when a pack call names none.
    Qt::Alignment labelAlignment() const;
    //! Sets the alignment of labels packed later.
    void setLabelAlignment(Qt::Alignment iAlignment);
    //! Properties given to labels created later from a text.
    QVariantMap labelProperty() const;
    //! Replaces the properties given to labels created later from a text.
    void setLabelProperty(const QVariantMap &iPropVarMap);
    //! Properties given to units labels created later from a text.
    QVariantMap unitsProperty() const;
    //! Replaces the properties given to units labels created later from a text.
    void setUnitsProperty(const QVariantMap &iPropVarMap);
    //! Properties given to separator labels created later.
    QVariantMap separatorProperty() const;
    //! Replaces the properties given to separator labels created later.
    void setSeparatorProperty(const QVariantMap &iPropVarMap);
    //! Text placed between a label and its field; empty for none.
    QString separator() const;
    //! Sets the separator text for entries packed later.
    void setSeparator(const QString &iSeparatorStr);
    //! Minimum gap, in pixels, between two form columns.
    int columnSpacing() const;
    //! Sets the minimum gap between two form columns.
    void setColumnSpacing(int iSpacingInt);
    //! The label recorded for a field, or null.
    QWidget *labelWidget(QObject *iObjectPtr) const;
    //! The units label recorded for a field, or null.
    QWidget *unitsWidget(QObject *iObjectPtr) const;
    //! The separator label recorded for a field, or null.
    QWidget *separatorWidget(QObject *iObjectPtr) const;

    //! Packs a widget with an optional label and units widget as the next entry.
    void packWidget(QObject *iWidgetPtr, QObject *iLabelPtr = nullptr, QObject *iUnitsPtr = nullptr,
                    int iColSpanInt = 1, const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a widget with a label and units made from texts (an empty text gives none).
    void packWidget(QObject *iWidgetPtr, const QString &iLabelStr, const QString &iUnitsStr, int iColSpanInt = 1,
                    const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a widget with a label made from a text and a units widget.
    void packWidget(QObject *iWidgetPtr, const QString &iLabelStr, QObject *iUnitsPtr, int iColSpanInt = 1,
                    const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a widget with a label widget and units made from a text.
    void packWidget(QObject *iWidgetPtr, QObject *iLabelPtr, const QString &iUnitsStr, int iColSpanInt = 1,
                    const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a nested layout with an optional label and units widget as the next entry.
    void packLayout(QObject *iLayoutPtr, QObject *iLabelPtr = nullptr, QObject *iUnitsPtr = nullptr,
                    int iColSpanInt = 1, const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a nested layout with a label and units made from texts (an empty text gives none).
    void packLayout(QObject *iLayoutPtr, const QString &iLabelStr, const QString &iUnitsStr, int iColSpanInt = 1,
                    const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a nested layout with a label made from a text and a units widget.
    void packLayout(QObject *iLayoutPtr, const QString &iLabelStr, QObject *iUnitsPtr, int iColSpanInt = 1,
                    const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);
    //! Packs a nested layout with a label widget and units made from a text.
    void packLayout(QObject *iLayoutPtr, QObject *iLabelPtr, const QString &iUnitsStr, int iColSpanInt = 1,
                    const QString &iLabelAlign = QString(), int iLayoutTypeInt = 0);

    TUI_ABSTRACT_SLOTS

    QWidget *createLabelWidget(const QString &iText);
    QWidget *createUnitsWidget(const QString &iText);

private:
    void setSpacingProperty(int iSpacing);
    int marginProperty() const;
    void setMarginProperty(int iMargin);
    Q_DISABLE_COPY(TFormLayout)
    Q_DECLARE_PRIVATE_D(d, TFormLayout)
    const std::unique_ptr<TFormLayoutPrivate> d;
};

#endif // TFORMLAYOUT_H
