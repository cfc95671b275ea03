#ifndef TSEARCHENTRY_H
#define TSEARCHENTRY_H

#include "vekpane_export.h"

#include <QVariant>
#include <QWidget>

#include <memory>

class QLineEdit;
class TSearchEntryPrivate;

/*!
 * The search box of the widget library: a line edit with a menu of the
 * fields a search covers on its left, a clear button on its right and an
 * optional label before it.
 *
 * It emits search() on Enter, when the text is cleared, and once the user has
 * stopped typing for the search delay. sqlWhere() turns the text and the
 * chosen fields into the WHERE text of a statement; every value in it is
 * written as a quoted literal or as a number the entry has read itself.
 */
class VEKPANE_EXPORT TSearchEntry : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QVariantList optionList READ optionList WRITE setOptionList)
    Q_PROPERTY(OptionMode optionMode READ optionMode WRITE setOptionMode)
    Q_PROPERTY(int searchDelayTime READ searchDelayTime WRITE setSearchDelayTime)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged USER true)
    Q_PROPERTY(QString label READ label WRITE setLabel)
public:
    enum OptionMode { SingleOption = 0, MultiOption = 1 };
    Q_ENUM(OptionMode)

    explicit TSearchEntry(QWidget *iParent = nullptr);
    ~TSearchEntry() override;

public Q_SLOTS:
    //! The text of the label before the field.
    QString label() const;
    //! Shows \a iLabelStr before the field; the empty text hides the label.
    void setLabel(const QString &iLabelStr);
    //! Replaces the placeholder template; %1 receives the active option texts at the next refresh.
    void setPlaceholderText(const QString &iTemplateStr);
    //! Builds the option menu from \a iOptionList (maps with "text", "name", "icon", "userData"); the active options stay.
    void setOptionList(const QVariantList &iOptionList);
    //! The list last given to setOptionList(), unchanged.
    QVariantList optionList() const;
    //! One exclusive field (SingleOption) or any set of fields (MultiOption).
    void setOptionMode(OptionMode iMode);
    //! The option mode, MultiOption at first.
    OptionMode optionMode() const;
    //! In single-option mode, makes the option named \a iNameStr active; an unknown name changes nothing.
    void setActiveOption(const QString &iNameStr);
    //! The active option name in single-option mode.
    QString activeOption() const;
    //! In multi-option mode, checks exactly the options named in \a iNameList; an empty list changes nothing.
    void setActiveOptions(const QStringList &iNameList);
    //! The active option names in multi-option mode, in the order they were chosen.
    QStringList activeOptions() const;
    //! Completes typing inline from \a iWordList, replacing an earlier list.
    void addCompleterList(const QStringList &iWordList);
    //! Milliseconds of typing pause after which the search runs; 0 when off.
    int searchDelayTime() const;
    //! Sets the typing pause that starts a search; 0 or less switches it off.
    void setSearchDelayTime(int iMsInt);
    //! Sets the text as if typed (the clear button and the delay follow).
    void setText(const QString &iTextStr);
    //! The text of the field.
    QString text() const;
    //! Clears the text and searches at once with the empty text.
    void clearText();
    //! Selects the whole text.
    void selectAll();
    //! The field itself.
    QLineEdit *lineEdit() const;
    //! The WHERE text of the text over the active fields (all fields when none is active); empty when there is none.
    QString sqlWhere() const;

Q_SIGNALS:
    //! The search asked for: the text and the active field name(s).
    void search(const QString &iTextStr, const QVariant &iFieldsVar);
    //! The text changed, by typing or by setText().
    void textChanged(const QString &iTextStr);

protected:
    void keyPressEvent(QKeyEvent *iEvent) override;

protected Q_SLOTS:
    //! Takes the option of the triggering action as active (or no longer active).
    void changeSearchOption();
    //! Emits search() with the text and the active fields.
    void doSearchAction();
    //! Opens the option menu under the option button.
    void showFieldSelection();
    //! Shows the clear button for a non-empty text and restarts the delay.
    void onTextChanged(const QString &iTextStr);

private:
    Q_DISABLE_COPY(TSearchEntry)
    Q_DECLARE_PRIVATE_D(d, TSearchEntry)
    const std::unique_ptr<TSearchEntryPrivate> d;
};

#endif // TSEARCHENTRY_H
