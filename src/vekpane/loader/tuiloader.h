#ifndef TUILOADER_H
#define TUILOADER_H

#include "vekpane_export.h"

#include <QFrame>
#include <QJSValue>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

class QJSEngine;
class TUiLoaderPrivate;

/*!
 * A frame that builds a whole form (widgets, layouts, menus, tool bars,
 * docks) from a description written in JavaScript and then serves it by
 * field name: values through per-field getters and setters, validation,
 * formulas that recompute fields from other fields, and field states.
 *
 * The host supplies the script engine (setEngine()) and the function that
 * makes an object for each type word (setCreator()). Every script function
 * of a description is called with the loader first (_this) and the loader's
 * argument object argv last.
 */
class VEKPANE_EXPORT TUiLoader : public QFrame
{
    Q_OBJECT
public:
    //! Makes the object for an upper-cased type word; null when it cannot.
    using Creator = QObject *(*)(void *iContext, const QString &iType, const QVariant &iNewParam);

    explicit TUiLoader(QWidget *iParent = nullptr);
    ~TUiLoader() override;

    //! The engine in which descriptions are evaluated and called; not owned.
    void setEngine(QJSEngine *iEngine);
    //! The host's widget creator and the context handed back to it.
    void setCreator(void *iContext, Creator iCreator);

Q_SIGNALS:
    void dataChanged();
    void validateMessaged(QVariantMap iMsgVarMap);
    void valueEdited(QString iNameStr, QObject *oObject);

public Q_SLOTS:
    //! Evaluates description text and builds its form; false when it does not evaluate.
    bool setUiStr(QString iUiStr);
    //! Replaces the form by the one the description value gives.
    bool setUiValue(QJSValue iValue);
    //! Not supported: always false.
    bool setUiFile(QString iFile);
    //! Puts the script wrapper of an object into argv under a key.
    void registerArgvObject(QString iKey, QObject *iObj);
    //! Puts a script value into argv under a key.
    void registerArgv(QString iKey, QJSValue iValue);
    //! Runs the field's validator and marks the widget; the message map, empty when valid.
    QVariantMap validate(QObject *iObj = nullptr, QString iMoment = QStringLiteral("EDIT"));
    //! Writes a field through its setter.
    void setValue(QString iName, QJSValue iValue);
    //! Writes a field through its setter.
    void setValue(QObject *iObj, QJSValue iValue);
    //! Writes every named value, then validates, runs the LOAD formulas and refreshes states.
    bool loadValues(QJSValue iValues, bool iClearBefore = true);
    //! loadValues() for a variant map.
    bool loadValues(QVariant iValues, bool iClearBefore = true);
    //! The field's value as its getter reads it; undefined without a getter.
    QJSValue getValue(QString iName);
    //! The field's value as its getter reads it; undefined without a getter.
    QJSValue getValue(QObject *iObj);
    //! The item's "data"; undefined when none.
    QJSValue getUserData(QString iName);
    //! The item's "data"; undefined when none.
    QJSValue getUserData(QObject *iObj);
    //! The field's title; empty when none.
    QString getTitle(QString iName);
    //! The field's title; empty when none.
    QString getTitle(QObject *iObj);
    //! Whether the form was marked changed.
    bool isChanged();
    //! Marks the form changed or unchanged.
    void setChanged(bool iChanged = true);
    //! Recomputes the formulas that the object triggers; null means the signal's sender.
    void triggerFormula(QObject *iObj = nullptr);
    //! Hides, disables or shows a field with its label, units and buddies.
    void setState(QString iName, QString iState);
    //! Hides, disables or shows an object with its label, units and buddies.
    void setState(QObject *iObj, QString iState);
    //! Applies every state function.
    void refreshState();
    //! Whether change notification, formulas and state refresh are held back.
    bool isBlockChange();
    //! Holds back or releases change notification, formulas and state refresh.
    void setBlockChange(bool iBlock = true);
    //! Whether validation is held back.
    bool isBlockValidate();
    //! Holds back or releases validation.
    void setBlockValidate(bool iBlock = true);
    //! Sets a field's background colour; an empty colour removes it.
    void setBgColor(QString iName, QString iColor);
    //! Sets a field's text colour; an empty colour removes it.
    void setFgColor(QString iName, QString iColor);
    //! Empties every field.
    void clearValues();
    //! An object of every field's value by name; hidden fields only when asked.
    QJSValue getAllValues(bool iIncludeInvisible = false);
    //! Validates every field; the message maps of the invalid ones (of one type unless "All").
    QVariantList validateAll(QString iMoment, bool iBlockSetValue = false,
                             QString iReturnErrorType = QStringLiteral("All"));
    //! Sets the margin of the loader's own layout.
    void setMargin(int iMargin);
    //! The margin of the loader's own layout.
    int margin();

protected:
    void keyPressEvent(QKeyEvent *iEvent) override;

private Q_SLOTS:
    void runCallback(bool iChecked);
    void onEditingValidate(QString iType, QVariant iValue, QString iUid);
    void onItemChanged(QString iType, QVariant iValue, QString iUid);

private:
    Q_DISABLE_COPY(TUiLoader)
    Q_DECLARE_PRIVATE_D(d, TUiLoader)
    const std::unique_ptr<TUiLoaderPrivate> d;
};

#endif // TUILOADER_H
