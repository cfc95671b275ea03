#ifndef TUILOADER_P_H
#define TUILOADER_P_H

#include "tuiloader.h"

#include <QHash>
#include <QJSValue>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QSet>
#include <QStringList>

class QActionGroup;
class QJSEngine;
class QVBoxLayout;

// Everything the build keeps about one object it made. An undefined value
// is a key the item did not give; the functions are all callable.
struct TUiLoaderField
{
    QJSValue userData;
    QJSValue title;
    QJSValue validator;
    QJSValue getter;
    QJSValue setter;
    QJSValue formula;
    QJSValue stateFunction;
    QJSValue callback;
    QJSValue initCallback;
    // Used once after the build.
    QJSValue initialValue;
    QJSValue formulaTriggerNames;
    QStringList buddyNames;
    QString labelBuddy;
    // A default getter or setter of the attribute interface, and its key.
    QString nativeGetKey;
    QString nativeSetKey;
    bool nativeGet = false;
    bool nativeSet = false;
    bool builtinValidator = false;
    QStringList validateSignals;
    QStringList changeSignals;
    // Formula targets this object triggers, in creation order.
    QList<QPointer<QObject>> triggerTargets;
    // Form labels, units, separators and buddies that follow its state.
    QList<QPointer<QObject>> attachedWidgets;
    // Set while its setter, validator or formula runs.
    bool settingValue = false;
    bool validating = false;
    bool computingFormula = false;
};

class TUiLoaderPrivate
{
    Q_DECLARE_PUBLIC(TUiLoader)
public:
    explicit TUiLoaderPrivate(TUiLoader *iQ)
        : q_ptr(iQ)
    {}

    // --- building (createOneItem and what it needs)
    QObject *createOneItem(const QJSValue &iItem, QObject *iParent);
    QObject *createPathItem(const QJSValue &iItem, QObject *iParent);
    bool enterBuildPath(const QJSValue &iValue, QObject *iParent);
    bool packItem(QObject *iObj, QJSValue iPack, QObject *iParent);
    QObject *createByCreator(const QString &iType, const QJSValue &iNewParam);
    bool applyItemProperties(QObject *iObj, const QJSValue &iProps);
    static void keepAsProperty(QObject *iObj, const QString &iKey, const QByteArray &iRawKey, const QVariant &iValue);
    void createChildren(const QJSValue &iChild, QObject *iParent);
    QWidget *widgetForItem(QObject *iObj);
    bool packSpecial(const QString &iType, const QJSValue &iItem, QObject *iParent);
    bool packIntoForm(QObject *iObj, const QJSValue &iPack, class TFormLayout *iForm);
    // One per container kind; the parent is of that kind.
    bool packIntoBox(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoFormLayout(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoGrid(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoTabs(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoStack(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoTitleExpander(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoSplitter(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoScrollArea(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoMainWindow(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoDock(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoToolBar(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoMenu(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packMenuIntoButton(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoLineEdit(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    bool packIntoWidget(QObject *iObj, const QJSValue &iPack, QObject *iParent);
    void resolveBuddies();
    void applyTabOrder();
    void registerObject(QObject *iObj, const QString &iName);

    // --- values
    void bindGetter(QObject *iObj, const QJSValue &iGetter);
    void bindSetter(QObject *iObj, const QJSValue &iSetter);
    void bindCallback(QObject *iObj, const QJSValue &iCallback);
    void bindChangeSignals(QObject *iObj, const QJSValue &iSignals);
    QJSValue readAttribute(QObject *iObj, const QString &iKey) const;
    static void writeAttribute(QObject *iObj, const QString &iKey, const QVariant &iValue);
    static bool isNullForNotNull(QObject *iObj, const QJSValue &iValue);
    // False when a script deleted the loader on the way.
    bool clearFields(const QSet<QObject *> &iOverwritten);
    // False when a script deleted the loader on the way.
    bool applyInitialValues();
    bool runInitCallbacks();
    void connectItemSignals();

    // --- validation, formulas, state
    void bindValidator(QObject *iObj, const QJSValue &iValidate, const QJSValue &iSignals);
    void bindFormula(QObject *iObj, const QJSValue &iFormula);
    void bindStateFunction(QObject *iObj, const QJSValue &iState);
    void resolveFormulaTriggers();
    void applyValidationResult(QWidget *iWidget, const QJSValue &iResult, QString *oMessage, QString *oState);

    // --- script helpers
    QJSValue wrap(QObject *iObj) const;
    QJSValue evaluateSnippet(const QString &iCode, const QString &iWhat);
    QJSValue call(const QJSValue &iFunction, const QJSValueList &iArgs, const QString &iWhat, QObject *iObj) const;
    static QStringList nameList(const QJSValue &iValue);
    static QString quoted(const QString &iText);
    static QString displayName(QObject *iObj);
    void reportCallable(QObject *iObj, const QString &iKey, const QJSValue &iValue);

    void reset();
    void forget(QObject *iObj);
    // The record of an object of the build; null for any other. A script
    // call may drop it: look it up again after one.
    TUiLoaderField *field(QObject *iObj)
    {
        const auto it = fields.find(iObj);
        return it == fields.end() ? nullptr : &*it;
    }

    bool changed = false;
    bool blockChange = false;
    bool blockValidate = false;
    bool blockSetValue = false;
    bool loading = false;

    QVBoxLayout *layout = nullptr;
    QPointer<QJSEngine> engine;

    // Guarded: a host or a callback may delete what the build made.
    QList<QPointer<QObject>> objects;
    QHash<QString, QPointer<QObject>> nameMap;
    // One record per object of the build, dropped when the object goes.
    QHash<QObject *, TUiLoaderField> fields;
    // The fields whose formulas the loading of values triggers.
    QList<QPointer<QObject>> loadTriggerTargets;
    // Stable by insertion for equal positions.
    QList<QPair<double, QPointer<QObject>>> tabOrder;
    QHash<QString, QActionGroup *> actionGroups;

    void *creatorContext = nullptr;
    TUiLoader::Creator creator = nullptr;

    QJSValue argv;
    // Compiled getter, setter and validator snippets by their text.
    QHash<QString, QJSValue> snippets;
    // Above zero while a widget event or a callback is being handled: a form
    // rebuilt from there must not delete the sender under its own feet.
    int eventDepth = 0;
    // Set while a description is built: building again from its own
    // callbacks would recurse without end.
    bool building = false;
    // Items of the current build that could not be made or placed.
    int failures = 0;
    // The items and arrays from the description down to the one being
    // built, and how deep that path may grow.
    QList<QJSValue> buildPath;
    static constexpr int maxBuildDepth = 256;
    // Set while the registries are emptied in one go.
    bool resetting = false;

    TUiLoader *const q_ptr;
};

#endif // TUILOADER_P_H
