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

// A key of an item that holds a script function ("getter", "callback", ...):
// the function, or what the value says instead.
struct TUiLoaderScriptKey
{
    QJSValue function;
    // Neither undefined nor null.
    bool given = false;
    bool isFalse = false;
    bool isString = false;
    // Its text, for a string and for the log; empty for a function.
    QString text;
};

// A key of a pack, or a form label or units value: whether it was given,
// and what the containers read of it.
struct TUiLoaderPackKey
{
    // What a container reads the key as.
    enum Kind { Number, Text, Flag, ItemOrText };

    QJSValue value;
    bool given = false;
    bool isString = false;
    // An item object (a form label or units made from an item).
    bool isItem = false;
    bool flag = false;
    int number = 0;
    QString text;
};

// The pack keys a kind of container reads.
using TUiLoaderPackKeys = QList<QPair<QString, TUiLoaderPackKey::Kind>>;

// Where an item goes in its container, as the container reads it.
struct TUiLoaderPack
{
    QHash<QString, TUiLoaderPackKey> keys;
    // Whether the pack names a form label or units of its own.
    bool hasLabel = false;
    bool hasUnits = false;
    bool hasStretchFactor = false;

    TUiLoaderPackKey key(const char *iKey) const { return keys.value(QString::fromLatin1(iKey)); }
    int number(const char *iKey, int iDefault) const
    {
        const TUiLoaderPackKey k = key(iKey);
        return k.given ? k.number : iDefault;
    }
    QString text(const char *iKey) const { return key(iKey).text; }
};

// One entry of an item's "property", converted.
struct TUiLoaderProperty
{
    QString key;
    QVariant value;
    // For the keys that take text.
    QString text;
};

// One item of a description in plain values. Reading a script object runs
// script (getters, proxies, toString) that may delete the form, so an item
// is read whole before anything is made from it; only its functions and the
// values handed back to scripts stay script values.
struct TUiLoaderItem
{
    QString type;
    QJSValue nameValue;
    QString name;
    // "pack" that is no object: its text, for the log.
    bool badPack = false;
    QString packText;
    TUiLoaderPack pack;
    // Stretch items: the factor.
    int stretch = 1;

    QVariant newParam;
    QString newParamError;
    bool hasFormulaTriggers = false;
    QStringList formulaTriggers;
    // "property": an object, or given as something else (its text).
    bool hasProperties = false;
    bool badProperties = false;
    QString propertiesText;
    QList<TUiLoaderProperty> properties;
    // Keys whose values cannot be converted, and why.
    QList<QPair<QString, QString>> refusedProperties;
    TUiLoaderScriptKey getter;
    TUiLoaderScriptKey setter;
    TUiLoaderScriptKey validate;
    QStringList validateSignals;
    QStringList changeSignals;
    TUiLoaderScriptKey formula;
    TUiLoaderScriptKey state;
    TUiLoaderScriptKey callback;
    QJSValue data;
    QJSValue title;
    bool hasTabOrder = false;
    double tabOrder = 0;
    TUiLoaderScriptKey initCallback;
    QJSValue value;
    // The form label and units when the pack names none (items of a form).
    TUiLoaderPackKey titleLabel;
    TUiLoaderPackKey units;
    QStringList buddies;
    QJSValue child;

    // Stretch, spacing and separator: nothing is made for them.
    bool isSpecial() const
    {
        return type == QLatin1String("STRETCH") || type == QLatin1String("SPACING")
               || type == QLatin1String("SEPARATOR");
    }
};

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
    QStringList formulaTriggerNames;
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
    // Reading runs script: the keys up to "pack", then the rest.
    static void readItemHead(const QJSValue &iItem, const TUiLoaderPackKeys &iPackKeys, TUiLoaderItem *oItem);
    // Form label and units are read only for an item of a form.
    static void readItemBody(const QJSValue &iItem, bool iInForm, TUiLoaderItem *oItem);
    static TUiLoaderPackKeys packKeys(QObject *iParent);
    static TUiLoaderPack readPack(const QJSValue &iPack, const TUiLoaderPackKeys &iKeys);
    static TUiLoaderPackKey readPackKey(const QJSValue &iValue, TUiLoaderPackKey::Kind iKind);
    static TUiLoaderScriptKey readScriptKey(const QJSValue &iValue);
    static void readProperties(const QJSValue &iProps, TUiLoaderItem *oItem);
    bool enterBuildPath(const QJSValue &iValue, QObject *iParent);
    bool packItem(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    QObject *createByCreator(const QString &iType, const QVariant &iNewParam);
    bool applyItemProperties(QObject *iObj, const QList<TUiLoaderProperty> &iProps);
    static void keepAsProperty(QObject *iObj, const QString &iKey, const QByteArray &iRawKey, const QVariant &iValue);
    void createChildren(const QJSValue &iChild, QObject *iParent);
    QWidget *widgetForItem(QObject *iObj);
    void packSpecial(const QString &iType, int iStretch, QObject *iParent);
    bool packIntoForm(QObject *iObj, const TUiLoaderPack &iPack, class TFormLayout *iForm);
    // One per container kind; the parent is of that kind.
    bool packIntoBox(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoFormLayout(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoGrid(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoTabs(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoStack(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoTitleExpander(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoSplitter(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoScrollArea(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoMainWindow(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoDock(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoToolBar(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoMenu(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packMenuIntoButton(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoLineEdit(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    bool packIntoWidget(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
    void resolveBuddies();
    void applyTabOrder();
    void registerObject(QObject *iObj, const QString &iName);

    // --- values
    void bindGetter(QObject *iObj, const TUiLoaderScriptKey &iGetter);
    void bindSetter(QObject *iObj, const TUiLoaderScriptKey &iSetter);
    void bindCallback(QObject *iObj, const TUiLoaderScriptKey &iCallback);
    void bindChangeSignals(QObject *iObj, const QStringList &iSignals);
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
    void bindValidator(QObject *iObj, const TUiLoaderScriptKey &iValidate, const QStringList &iSignals);
    void bindFormula(QObject *iObj, const TUiLoaderScriptKey &iFormula);
    void bindStateFunction(QObject *iObj, const TUiLoaderScriptKey &iState);
    void resolveFormulaTriggers();

    // --- script helpers
    QJSValue wrap(QObject *iObj) const;
    QJSValue evaluateSnippet(const QString &iCode, const QString &iWhat);
    QJSValue call(const QJSValue &iFunction, const QJSValueList &iArgs, const QString &iWhat, QObject *iObj) const;
    static QStringList nameList(const QJSValue &iValue);
    static QString quoted(const QString &iText);
    static QString displayName(QObject *iObj);
    void reportCallable(QObject *iObj, const QString &iKey, const TUiLoaderScriptKey &iValue);

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
    // built; it grows no deeper than a script value may nest.
    QList<QJSValue> buildPath;
    // Set while the registries are emptied in one go.
    bool resetting = false;

    TUiLoader *const q_ptr;
};

#endif // TUILOADER_P_H
