#include "tuiloader.h"
#include "tuiloader_p.h"

#include "taction.h"
#include "tcheckbox.h"
#include "tchips.h"
#include "terror.h"
#include "tformlayout.h"
#include "tlayoutattrs_p.h"
#include "tlineedit.h"
#include "tlogger.h"
#include "tmulticombobox.h"
#include "tradiobox.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "ttitleexpander.h"
#include "ttoolbar.h"
#include "tuiabstract.h"
#include "tuihelper.h"
#include "tuiinterface.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QBoxLayout>
#include <QDockWidget>
#include <QGridLayout>
#include <QJSEngine>
#include <QJSValueIterator>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Keys every script-facing widget understands through the shared attribute
// code; on a widget of the attribute interface they must not be taken for
// Qt properties of the same name ("size", "enabled").
const QStringList &commonKeys()
{
    static const QStringList keys {
            QStringLiteral("enabled"),        QStringLiteral("style"),          QStringLiteral("validation_state"),
            QStringLiteral("size_policy"),    QStringLiteral("size"),           QStringLiteral("contents_margins"),
            QStringLiteral("tool_tip"),       QStringLiteral("stylesheet"),     QStringLiteral("fixed_width"),
            QStringLiteral("minimum_width"),  QStringLiteral("maximum_width"),  QStringLiteral("fixed_height"),
            QStringLiteral("minimum_height"), QStringLiteral("maximum_height"), QStringLiteral("minimum_size"),
            QStringLiteral("maximum_size"),   QStringLiteral("window_title"),   QStringLiteral("icon"),
            QStringLiteral("user_data")};
    return keys;
}

// The engine makes text or a number of an array by joining its elements
// natively, one stack frame per level, so a deep enough array overflows the
// stack: an object is converted only once its depth is known to be within
// the bound. One too deep gives no text and 0, and one error line. An error's
// text holds its message, so an error is walked like any other object. The
// bound is for data: the value is walked here and read again when converted,
// so a getter that answers deeper the second time is not caught.
bool convertible(const QJSValue &iValue)
{
    if (!iValue.isObject() || iValue.isCallable())
        return true;
    TError error;
    TScriptValue::toVariant(iValue, &error);
    if (!error.isValid())
        return true;
    VEK_LOG(QStringLiteral("UI description: a value is not read as text or number: %1").arg(error.text()), "error", 0);
    return false;
}

QString boundedText(const QJSValue &iValue) { return convertible(iValue) ? iValue.toString() : QString(); }

int boundedInt(const QJSValue &iValue) { return convertible(iValue) ? iValue.toInt() : 0; }

QString textOf(const QJSValue &iValue)
{
    if (iValue.isUndefined() || iValue.isNull())
        return QString();
    return boundedText(iValue);
}

bool isSet(const QJSValue &iValue) { return !iValue.isUndefined() && !iValue.isNull(); }

void logError(const QString &iText) { VEK_LOG(iText, "error", 0); }

QMetaMethod widgetSignal(const QObject *iObj)
{
    static const QByteArray signature = QMetaObject::normalizedSignature("signal(QString,QVariant,QString)");
    const int index = iObj->metaObject()->indexOfSignal(signature.constData());
    return index < 0 ? QMetaMethod() : iObj->metaObject()->method(index);
}

QMetaMethod loaderSlot(const QObject *iLoader, const char *iSignature)
{
    const QMetaObject *meta = iLoader->metaObject();
    return meta->method(meta->indexOfSlot(QMetaObject::normalizedSignature(iSignature).constData()));
}

// Tool buttons of a tool bar carry the action's style keys as "SS_" properties.
void copyActionStyle(QAction *iAction, QWidget *iButton)
{
    if (!iButton)
        return;
    static const QRegularExpression blanksAroundEquals(QStringLiteral("\\s*=\\s*"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString style = iAction->property("zul_style").toString();
    style.replace(blanksAroundEquals, QStringLiteral("="));
    style = style.trimmed().toUpper();
    const QStringList parts = style.split(blanks, Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QStringList pieces = part.split(QLatin1Char('='));
        if (pieces.size() == 1) {
            iButton->setProperty(QString(QStringLiteral("SS_") + part).toUtf8().constData(), true);
        } else {
            iButton->setProperty(QString(QStringLiteral("SS_") + pieces.first()).toUtf8().constData(),
                                 pieces.last());
        }
    }
}

} // namespace

// ---------------------------------------------------------------- loader

TUiLoader::TUiLoader(QWidget *iParent)
    : QFrame(iParent)
    , d(new TUiLoaderPrivate(this))
{
    d->layout = new QVBoxLayout(this);
    d->layout->setContentsMargins(0, 0, 0, 0);
}

TUiLoader::~TUiLoader()
{
    // Created objects may outlive this body (Qt children die in ~QWidget):
    // their connections into the private must go first. Objects that were
    // never placed have no parent and would leak.
    d->resetting = true;
    for (const QPointer<QObject> &obj : qAsConst(d->objects)) {
        if (!obj)
            continue;
        disconnect(obj, nullptr, this, nullptr);
    }
    const QList<QPointer<QObject>> objects = d->objects;
    for (const QPointer<QObject> &obj : objects) {
        if (obj && !obj->parent())
            delete obj.data();
    }
}

void TUiLoader::setEngine(QJSEngine *iEngine)
{
    if (d->engine == iEngine)
        return;
    d->engine = iEngine;
    d->argv = iEngine ? iEngine->newObject() : QJSValue();
    d->snippets.clear();
}

void TUiLoader::setCreator(void *iContext, Creator iCreator)
{
    d->creatorContext = iContext;
    d->creator = iCreator;
}

bool TUiLoader::setUiStr(QString iUiStr)
{
    if (!d->engine) {
        logError(QStringLiteral("UI description not evaluated: no script engine is set"));
        return false;
    }
    // The closing parenthesis goes on a line of its own so that a trailing
    // line comment in the text cannot swallow it; the opening one keeps a
    // text that starts with a line break from becoming an empty return.
    // Blanks and line breaks before a function expression are no reason to
    // take it for an object description.
    int start = 0;
    while (start < iUiStr.size() && iUiStr.at(start).isSpace())
        ++start;
    const QString code = iUiStr.midRef(start).startsWith(QLatin1String("function"))
            ? QStringLiteral("(") + iUiStr + QStringLiteral("\n)")
            : QStringLiteral("(function(_this, argv){return (") + iUiStr + QStringLiteral("\n);})");
    // Scripts may delete the loader from inside any call into them (a
    // "Close" button that deletes its form): after each call nothing of
    // this object may be touched unless it is still there.
    const QPointer<TUiLoader> alive(this);
    QJSValue function = d->engine->evaluate(code, QString(), 1);
    if (!alive)
        return false;
    const auto report = [](const QJSValue &iError) {
        logError(QStringLiteral("UI File Error: Line %1: %2 ")
                         .arg(boundedInt(iError.property(QStringLiteral("lineNumber"))))
                         .arg(boundedText(iError)));
    };
    if (!function.isCallable()) {
        if (function.isError())
            report(function);
        else
            logError(QStringLiteral("UI File Error: the description is not a function or an object"));
        return false;
    }
    const QJSValue description = function.call({d->wrap(this), d->argv});
    if (!alive) {
        logError(QStringLiteral("UI description not built: its function deleted the loader"));
        return false;
    }
    if (description.isError()) {
        report(description);
        return false;
    }
    return setUiValue(description);
}

bool TUiLoader::setUiValue(QJSValue iValue)
{
    if (!d->engine) {
        logError(QStringLiteral("UI description not built: no script engine is set"));
        return false;
    }
    if (d->building) {
        logError(QStringLiteral("UI description not built: a form cannot be replaced while it is being built"));
        return false;
    }
    if (!iValue.isObject()) {
        logError(QStringLiteral("UI description not built: it is not an object but [%1]").arg(iValue.toString()));
        return false;
    }
    const QPointer<TUiLoader> alive(this);
    d->reset();
    d->blockChange = true;
    d->blockValidate = true;
    d->building = true;
    d->failures = 0;
    d->buildPath.clear();
    // The host's creator, setters and init callbacks may delete the loader.
    d->createChildren(iValue, d->layout);
    if (!alive)
        return false;
    d->resolveBuddies();
    d->resolveFormulaTriggers();
    d->connectItemSignals();
    d->applyTabOrder();
    if (!d->applyInitialValues() || !d->runInitCallbacks())
        return false;
    d->building = false;
    return d->failures == 0;
}

bool TUiLoader::setUiFile(QString iFile)
{
    Q_UNUSED(iFile)
    return false;
}

void TUiLoader::registerArgvObject(QString iKey, QObject *iObj)
{
    if (!d->engine)
        return;
    if (!d->argv.isObject())
        d->argv = d->engine->newObject();
    d->argv.setProperty(iKey, d->wrap(iObj));
}

void TUiLoader::registerArgv(QString iKey, QJSValue iValue)
{
    if (!d->engine)
        return;
    if (!d->argv.isObject())
        d->argv = d->engine->newObject();
    d->argv.setProperty(iKey, iValue);
}

bool TUiLoader::isChanged() { return d->changed; }

void TUiLoader::setChanged(bool iChanged) { d->changed = iChanged; }

bool TUiLoader::isBlockChange() { return d->blockChange; }

void TUiLoader::setBlockChange(bool iBlock) { d->blockChange = iBlock; }

bool TUiLoader::isBlockValidate() { return d->blockValidate; }

void TUiLoader::setBlockValidate(bool iBlock) { d->blockValidate = iBlock; }

void TUiLoader::setMargin(int iMargin)
{
    if (TLayoutAttrs::checkPixels("TUiLoader::setMargin", "margin", iMargin))
        d->layout->setContentsMargins(iMargin, iMargin, iMargin, iMargin);
}

int TUiLoader::margin() { return d->layout->contentsMargins().left(); }

void TUiLoader::keyPressEvent(QKeyEvent *iEvent)
{
    // The keypad Enter walks the form like Tab; no key leaves the form.
    if (iEvent->key() == Qt::Key_Enter)
        focusNextChild();
    iEvent->accept();
}

// ---------------------------------------------------------------- script helpers

QJSValue TUiLoaderPrivate::wrap(QObject *iObj) const
{
    if (!engine || !iObj)
        return QJSValue(QJSValue::NullValue);
    // A wrapped object without parent would otherwise belong to the script
    // engine and could be collected while the form still uses it.
    QQmlEngine::setObjectOwnership(iObj, QQmlEngine::CppOwnership);
    return engine->newQObject(iObj);
}

QJSValue TUiLoaderPrivate::evaluateSnippet(const QString &iCode, const QString &iWhat)
{
    if (!engine)
        return QJSValue();
    // Snippets keep no state: one compiled function serves every field.
    const auto cached = snippets.constFind(iCode);
    if (cached != snippets.cend())
        return *cached;
    const QJSValue value = engine->evaluate(iCode, QString(), 1);
    if (!value.isCallable()) {
        logError(QStringLiteral("%1 does not evaluate to a function: %2").arg(iWhat, boundedText(value)));
        return QJSValue();
    }
    snippets.insert(iCode, value);
    return value;
}

QJSValue TUiLoaderPrivate::call(const QJSValue &iFunction, const QJSValueList &iArgs, const QString &iWhat,
                                QObject *iObj) const
{
    if (!engine || !iFunction.isCallable())
        return QJSValue();
    QJSValue function = iFunction;
    // The call may delete the object and the loader with this private: from
    // here on only locals are touched.
    const QPointer<QObject> obj(iObj);
    const QJSValue result = function.call(iArgs);
    if (result.isError()) {
        logError(QStringLiteral("%1 of [%2] failed: Line %3: %4")
                         .arg(iWhat, obj ? displayName(obj) : QStringLiteral("a deleted object"))
                         .arg(boundedInt(result.property(QStringLiteral("lineNumber"))))
                         .arg(boundedText(result)));
    }
    return result;
}

QStringList TUiLoaderPrivate::nameList(const QJSValue &iValue)
{
    QStringList names;
    if (iValue.isString()) {
        names.append(iValue.toString());
    } else if (iValue.isArray()) {
        const int length = iValue.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < length; ++i)
            names.append(textOf(iValue.property(quint32(i))));
    } else if (iValue.isObject()) {
        QJSValueIterator it(iValue);
        while (it.hasNext()) {
            it.next();
            if (it.name() != QLatin1String("length"))
                names.append(textOf(it.value()));
        }
    }
    return names;
}

QString TUiLoaderPrivate::quoted(const QString &iText)
{
    // The text goes between single quotes of a script snippet.
    QString text = iText;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\''), QLatin1String("\\'"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

QString TUiLoaderPrivate::displayName(QObject *iObj)
{
    if (!iObj)
        return QString();
    const QString name = iObj->objectName();
    return name.isEmpty() ? QString::fromLatin1(iObj->metaObject()->className()) : name;
}

void TUiLoaderPrivate::reportCallable(QObject *iObj, const QString &iKey, const TUiLoaderScriptKey &iValue)
{
    if (iValue.given && !iValue.function.isCallable()) {
        logError(QStringLiteral("[%1] of [%2] is not a function and is ignored: %3")
                         .arg(iKey, displayName(iObj), iValue.text));
    }
}

// ---------------------------------------------------------------- reset

void TUiLoaderPrivate::reset()
{
    Q_Q(TUiLoader);
    resetting = true;
    const QList<QPointer<QObject>> created = objects;
    if (eventDepth == 0) {
        for (int i = created.size() - 1; i >= 0; --i)
            delete created.at(i).data();
        const QList<QObject *> layoutChildren = layout->children();
        QList<QPointer<QObject>> guarded(layoutChildren.cbegin(), layoutChildren.cend());
        for (const QPointer<QObject> &child : qAsConst(guarded))
            delete child.data();
        const QList<QObject *> ownChildren = q->children();
        guarded = QList<QPointer<QObject>>(ownChildren.cbegin(), ownChildren.cend());
        for (const QPointer<QObject> &child : qAsConst(guarded)) {
            if (child && child != layout && child != engine)
                delete child.data();
        }
    } else {
        // Rebuilt from inside a widget event or a callback: the sender is
        // still on the stack. The old form leaves the loader now and is
        // deleted once control is back in the event loop.
        const QList<QObject *> layoutChildren = layout->children();
        for (QObject *child : layoutChildren)
            child->deleteLater();
        const QList<QObject *> ownChildren = q->children();
        for (QObject *child : ownChildren) {
            if (child == layout || child == engine)
                continue;
            if (QWidget *widget = qobject_cast<QWidget *>(child)) {
                widget->hide();
                widget->setParent(nullptr);
            } else {
                child->setParent(nullptr);
            }
            child->deleteLater();
        }
        for (const QPointer<QObject> &obj : created) {
            if (obj) {
                QObject::disconnect(obj, nullptr, q, nullptr);
                if (!obj->parent())
                    obj->deleteLater();
            }
        }
    }
    objects.clear();
    nameMap.clear();
    fields.clear();
    loadTriggerTargets.clear();
    tabOrder.clear();
    actionGroups.clear();
    resetting = false;
}

void TUiLoaderPrivate::forget(QObject *iObj)
{
    // Names, trigger links, attached widgets and tab positions hold guarded
    // pointers: the record is all there is to drop.
    if (!resetting)
        fields.remove(iObj);
}

void TUiLoaderPrivate::registerObject(QObject *iObj, const QString &iName)
{
    Q_Q(TUiLoader);
    objects.append(iObj);
    fields.insert(iObj, TUiLoaderField());
    if (!iName.isEmpty()) {
        iObj->setObjectName(iName);
        nameMap.insert(iName, iObj);
    }
    QObject::connect(iObj, &QObject::destroyed, q, [this](QObject *iGone) { forget(iGone); });
}

// ---------------------------------------------------------------- building

void TUiLoaderPrivate::createChildren(const QJSValue &iChild, QObject *iParent)
{
    const QPointer<TUiLoader> alive(q_ptr);
    const QPointer<QObject> parent(iParent);
    if (iChild.isArray()) {
        if (!enterBuildPath(iChild, iParent))
            return;
        const int length = iChild.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < length; ++i) {
            // An element may be a getter, and the item below it script.
            const QJSValue element = iChild.property(quint32(i));
            if (!alive)
                return;
            if (!parent) {
                ++failures;
                logError(QStringLiteral("TUiLoader::createOneItem children of a deleted object are skipped"));
                break;
            }
            createChildren(element, iParent);
            if (!alive)
                return;
        }
        buildPath.removeLast();
    } else if (iChild.isObject() && !iChild.isCallable()) {
        createOneItem(iChild, iParent);
    } else if (isSet(iChild)) {
        const QString text = iChild.toString();
        if (!alive)
            return;
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem child of [%1] is not an item: %2")
                         .arg(parent ? displayName(iParent) : QStringLiteral("a deleted object"), text));
    }
}

QObject *TUiLoaderPrivate::createByCreator(const QString &iType, const QVariant &iNewParam)
{
    if (!creator)
        return nullptr;
    return creator(creatorContext, iType.toUpper(), iNewParam);
}

void TUiLoaderPrivate::packSpecial(const QString &iType, int iStretch, QObject *iParent)
{
    if (iType == QLatin1String("SEPARATOR")) {
        if (QToolBar *bar = qobject_cast<TToolBar *>(iParent))
            bar->addSeparator();
        else if (QMenu *menu = qobject_cast<QMenu *>(iParent))
            menu->addSeparator();
        else if (QMenuBar *menuBar = qobject_cast<QMenuBar *>(iParent))
            menuBar->addSeparator();
        return;
    }
    const auto spacer = []() {
        QWidget *widget = new QWidget;
        widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        return widget;
    };
    if (QToolBar *bar = qobject_cast<TToolBar *>(iParent)) {
        bar->addWidget(spacer());
    } else if (TFormLayout *form = qobject_cast<TFormLayout *>(iParent)) {
        form->packWidget(spacer(), static_cast<QObject *>(nullptr), static_cast<QObject *>(nullptr), 1, QString(),
                         2);
    } else if (QBoxLayout *box = qobject_cast<QBoxLayout *>(iParent)) {
        if (iType == QLatin1String("STRETCH")
            && TLayoutAttrs::checkStretch("TUiLoader stretch item", "stretch", iStretch))
            box->addStretch(iStretch);
    }
}

bool TUiLoaderPrivate::enterBuildPath(const QJSValue &iValue, QObject *iParent)
{
    // Descriptions are script data: an item or array may hold itself, and
    // nesting has no natural end. Both would recurse until the stack is gone.
    for (const QJSValue &onPath : qAsConst(buildPath)) {
        if (onPath.strictlyEquals(iValue)) {
            ++failures;
            logError(QStringLiteral("TUiLoader::createOneItem child of [%1] contains itself and is skipped")
                             .arg(displayName(iParent)));
            return false;
        }
    }
    if (buildPath.size() >= TScriptValue::DepthLimit) {
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem children of [%1] are nested deeper than %2 levels "
                                "and are skipped")
                         .arg(displayName(iParent))
                         .arg(TScriptValue::DepthLimit));
        return false;
    }
    buildPath.append(iValue);
    return true;
}

QObject *TUiLoaderPrivate::createOneItem(const QJSValue &iItem, QObject *iParent)
{
    if (!enterBuildPath(iItem, iParent))
        return nullptr;
    const QPointer<TUiLoader> alive(q_ptr);
    QObject *obj = createPathItem(iItem, iParent);
    if (alive)
        buildPath.removeLast();
    return obj;
}

// ---------------------------------------------------------------- reading an item

TUiLoaderScriptKey TUiLoaderPrivate::readScriptKey(const QJSValue &iValue)
{
    TUiLoaderScriptKey key;
    key.given = isSet(iValue);
    if (iValue.isCallable()) {
        key.function = iValue;
        return key;
    }
    key.isFalse = iValue.isBool() && !iValue.toBool();
    key.isString = iValue.isString();
    if (key.given)
        key.text = textOf(iValue);
    return key;
}

TUiLoaderPackKey TUiLoaderPrivate::readPackKey(const QJSValue &iValue, TUiLoaderPackKey::Kind iKind)
{
    // Only the conversion the container makes: each may run script.
    TUiLoaderPackKey key;
    key.value = iValue;
    key.given = isSet(iValue);
    key.isString = iValue.isString();
    switch (iKind) {
    case TUiLoaderPackKey::Number:
        key.number = boundedInt(iValue);
        break;
    case TUiLoaderPackKey::Text:
        key.text = textOf(iValue);
        break;
    case TUiLoaderPackKey::Flag:
        key.flag = iValue.toBool();
        break;
    case TUiLoaderPackKey::ItemOrText:
        key.isItem = iValue.isObject() && !iValue.isCallable();
        if (!key.isItem)
            key.text = textOf(iValue);
        break;
    }
    return key;
}

TUiLoaderPackKeys TUiLoaderPrivate::packKeys(QObject *iParent)
{
    // In the order of the container table: a form is a grid, a title
    // expander and a line edit are widgets.
    using K = TUiLoaderPackKey;
    const auto keys = [](std::initializer_list<QPair<const char *, K::Kind>> iKeys) {
        TUiLoaderPackKeys list;
        for (const auto &key : iKeys)
            list.append(qMakePair(QString::fromLatin1(key.first), key.second));
        return list;
    };
    if (qobject_cast<QBoxLayout *>(iParent))
        return keys({{"stretch", K::Number}, {"alignment", K::Text}});
    if (qobject_cast<TFormLayout *>(iParent))
        return keys({{"column_span", K::Number},
                     {"layout_type", K::Number},
                     {"label_alignment", K::Text},
                     {"label", K::ItemOrText},
                     {"units", K::ItemOrText}});
    if (qobject_cast<QGridLayout *>(iParent))
        return keys({{"row", K::Number},
                     {"column", K::Number},
                     {"row_span", K::Number},
                     {"column_span", K::Number},
                     {"alignment", K::Text}});
    if (qobject_cast<QTabWidget *>(iParent))
        return keys({{"icon", K::Text}, {"label", K::Text}});
    if (qobject_cast<TTitleExpander *>(iParent))
        return keys({{"area", K::Text}, {"position", K::Number}, {"stretch", K::Number}, {"alignment", K::Text}});
    if (qobject_cast<QSplitter *>(iParent))
        return keys({{"stretch_factor", K::Number}, {"stretch", K::Number}, {"collapsible", K::Flag}});
    if (qobject_cast<QMainWindow *>(iParent))
        return keys({{"area", K::Text}, {"orientation", K::Text}, {"tabified", K::Text}});
    if (qobject_cast<TLineEdit *>(iParent))
        return keys({{"position", K::Text}});
    return TUiLoaderPackKeys();
}

TUiLoaderPack TUiLoaderPrivate::readPack(const QJSValue &iPack, const TUiLoaderPackKeys &iKeys)
{
    TUiLoaderPack pack;
    if (!iPack.isObject())
        return pack;
    for (const auto &key : iKeys) {
        pack.keys.insert(key.first, readPackKey(iPack.property(key.first), key.second));
        if (key.first == QLatin1String("label") && key.second == TUiLoaderPackKey::ItemOrText)
            pack.hasLabel = iPack.hasProperty(key.first);
        else if (key.first == QLatin1String("units"))
            pack.hasUnits = iPack.hasProperty(key.first);
        else if (key.first == QLatin1String("stretch_factor"))
            pack.hasStretchFactor = iPack.hasProperty(key.first);
    }
    return pack;
}

void TUiLoaderPrivate::readProperties(const QJSValue &iProps, TUiLoaderItem *oItem)
{
    QJSValueIterator it(iProps);
    while (it.hasNext()) {
        it.next();
        TUiLoaderProperty property;
        property.key = it.name();
        const QJSValue value = it.value();
        TError error;
        property.value = TScriptValue::toVariant(value, &error);
        if (error.isValid()) {
            oItem->refusedProperties.append(qMakePair(property.key, error.text()));
            continue;
        }
        if (property.key == QLatin1String("buddy") || property.key == QLatin1String("actionGroup")
            || property.key == QLatin1String("icon"))
            property.text = value.isString() ? property.value.toString() : textOf(value);
        oItem->properties.append(property);
    }
}

void TUiLoaderPrivate::readItemHead(const QJSValue &iItem, const TUiLoaderPackKeys &iPackKeys, TUiLoaderItem *oItem)
{
    oItem->type = boundedText(iItem.property(QStringLiteral("type"))).toUpper();
    if (oItem->type == QLatin1String("STRETCH")) {
        const QJSValue factor = iItem.property(QStringLiteral("property")).property(QStringLiteral("stretch"));
        if (factor.isNumber() || factor.isVariant())
            oItem->stretch = TScriptValue::toVariant(factor).toInt();
    }
    if (oItem->isSpecial())
        return;
    oItem->nameValue = iItem.property(QStringLiteral("name"));
    oItem->name = textOf(oItem->nameValue);
    const QJSValue pack = iItem.property(QStringLiteral("pack"));
    if (isSet(pack) && (!pack.isObject() || pack.isArray() || pack.isCallable())) {
        oItem->badPack = true;
        oItem->packText = boundedText(pack);
    } else {
        oItem->pack = readPack(pack, iPackKeys);
    }
}

void TUiLoaderPrivate::readItemBody(const QJSValue &iItem, bool iInForm, TUiLoaderItem *oItem)
{
    TError error;
    oItem->newParam = TScriptValue::toVariant(iItem.property(QStringLiteral("newParam")), &error);
    oItem->newParamError = error.text();
    const QJSValue triggers = iItem.property(QStringLiteral("formulaTrigger"));
    oItem->hasFormulaTriggers = isSet(triggers);
    if (oItem->hasFormulaTriggers)
        oItem->formulaTriggers = nameList(triggers);
    const QJSValue props = iItem.property(QStringLiteral("property"));
    if (props.isObject() && !props.isArray() && !props.isCallable()) {
        oItem->hasProperties = true;
        readProperties(props, oItem);
    } else if (isSet(props)) {
        oItem->badProperties = true;
        oItem->propertiesText = boundedText(props);
    }
    oItem->getter = readScriptKey(iItem.property(QStringLiteral("getter")));
    oItem->setter = readScriptKey(iItem.property(QStringLiteral("setter")));
    oItem->validate = readScriptKey(iItem.property(QStringLiteral("validate")));
    oItem->validateSignals = nameList(iItem.property(QStringLiteral("validateSignal")));
    oItem->changeSignals = nameList(iItem.property(QStringLiteral("changeSignal")));
    oItem->formula = readScriptKey(iItem.property(QStringLiteral("formula")));
    oItem->state = readScriptKey(iItem.property(QStringLiteral("state")));
    oItem->callback = readScriptKey(iItem.property(QStringLiteral("callback")));
    oItem->data = iItem.property(QStringLiteral("data"));
    const QJSValue title = iItem.property(QStringLiteral("title"));
    if (iInForm)
        oItem->titleLabel = readPackKey(title, TUiLoaderPackKey::ItemOrText);
    if (!title.isUndefined())
        oItem->title = title;
    else if (iItem.hasProperty(QStringLiteral("name")))
        oItem->title = oItem->nameValue;
    const QJSValue order = iItem.property(QStringLiteral("tabOrder"));
    oItem->hasTabOrder = order.isNumber();
    if (oItem->hasTabOrder)
        oItem->tabOrder = order.toNumber();
    oItem->initCallback = readScriptKey(iItem.property(QStringLiteral("initCallback")));
    oItem->value = iItem.property(QStringLiteral("value"));
    if (iInForm)
        oItem->units = readPackKey(iItem.property(QStringLiteral("units")), TUiLoaderPackKey::ItemOrText);
    oItem->buddies = nameList(iItem.property(QStringLiteral("buddy")));
    oItem->child = iItem.property(QStringLiteral("child"));
}

// ---------------------------------------------------------------- building

QObject *TUiLoaderPrivate::createPathItem(const QJSValue &iItem, QObject *iParent)
{
    // Reading the item runs script that may delete the form, the parent or,
    // later on, the object made: each is looked at through its guard after
    // a step that can run script, and nothing else of the item is read.
    const QPointer<TUiLoader> alive(q_ptr);
    const QPointer<QObject> parent(iParent);
    TUiLoaderItem item;
    const auto lost = [&](const QString &iWhat) {
        if (!alive)
            return true;
        if (!iParent || parent)
            return false;
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem create %1 failed: its parent was deleted %2")
                         .arg(item.name, iWhat));
        return true;
    };

    // What the parent's container reads, while the parent is surely there.
    const TUiLoaderPackKeys keys = packKeys(iParent);
    const bool inForm = qobject_cast<TFormLayout *>(iParent);
    readItemHead(iItem, keys, &item);
    if (lost(QStringLiteral("while it was read")))
        return nullptr;
    if (item.isSpecial()) {
        packSpecial(item.type, item.stretch, iParent);
        return nullptr;
    }
    TUiLoaderPack pack = item.pack;
    if (item.badPack) {
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem pack of [%1] is not an object and is ignored: %2")
                         .arg(item.name, item.packText));
    }
    if (item.type == QLatin1String("ACTION") && !item.name.isEmpty() && nameMap.value(item.name)) {
        QObject *action = nameMap.value(item.name);
        if (!packItem(action, pack, iParent)) {
            if (!alive)
                return nullptr;
            ++failures;
            logError(QStringLiteral("TUiLoader::createOneItem create %1 failed").arg(item.name));
            return nullptr;
        }
        return action;
    }

    readItemBody(iItem, inForm, &item);
    if (lost(QStringLiteral("while it was read")))
        return nullptr;
    if (!item.newParamError.isEmpty()) {
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem create %1 failed: newParam %2")
                         .arg(item.name, item.newParamError));
        return nullptr;
    }
    QObject *obj = createByCreator(item.type, item.newParam);
    if (!alive)
        return nullptr;
    if (!obj) {
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem create %1 failed: no object for the type [%2]")
                         .arg(item.name, item.type));
        return nullptr;
    }
    registerObject(obj, item.name);
    const QPointer<QObject> object(obj);
    if (lost(QStringLiteral("while it was made")))
        return nullptr;

    if (item.hasFormulaTriggers)
        fields[obj].formulaTriggerNames = item.formulaTriggers;
    if (item.hasProperties) {
        applyItemProperties(obj, item.properties);
        if (lost(QStringLiteral("while its properties were applied")))
            return nullptr;
        if (!object)
            return nullptr;
        for (const auto &refused : qAsConst(item.refusedProperties)) {
            ++failures;
            logError(QStringLiteral("TUiLoader::createOneItem property [%1] of [%2] is ignored: %3")
                             .arg(refused.first, displayName(obj), refused.second));
        }
    } else if (item.badProperties) {
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem property of [%1] is not an object and is ignored: %2")
                         .arg(displayName(obj), item.propertiesText));
    }
    bindGetter(obj, item.getter);
    bindSetter(obj, item.setter);
    bindValidator(obj, item.validate, item.validateSignals);
    bindChangeSignals(obj, item.changeSignals);
    bindFormula(obj, item.formula);
    bindStateFunction(obj, item.state);
    bindCallback(obj, item.callback);
    if (!item.data.isUndefined())
        fields[obj].userData = item.data;
    if (!item.title.isUndefined())
        fields[obj].title = item.title;
    if (item.hasTabOrder)
        tabOrder.append(qMakePair(item.tabOrder, QPointer<QObject>(obj)));
    if (item.initCallback.function.isCallable())
        fields[obj].initCallback = item.initCallback.function;
    else
        reportCallable(obj, QStringLiteral("initCallback"), item.initCallback);
    if (!item.value.isUndefined())
        fields[obj].initialValue = item.value;
    fields[obj].buddyNames = item.buddies;

    if (!item.child.isUndefined()) {
        createChildren(item.child, obj);
        if (lost(QStringLiteral("while its children were built")))
            return nullptr;
        if (!object) {
            ++failures;
            logError(QStringLiteral("TUiLoader::createOneItem %1 was deleted while its children were built")
                             .arg(item.name));
            return nullptr;
        }
    }

    // The pack object itself is never changed: one may be shared by several
    // items of a description.
    if (inForm) {
        if (!pack.hasLabel)
            pack.keys.insert(QStringLiteral("label"), item.titleLabel);
        if (!pack.hasUnits)
            pack.keys.insert(QStringLiteral("units"), item.units);
    }
    if (!iParent)
        return obj;
    const bool packed = packItem(obj, pack, iParent);
    if (!alive)
        return nullptr;
    if (!packed) {
        ++failures;
        logError(QStringLiteral("TUiLoader::createOneItem create %1 failed: it cannot be placed into [%2]")
                         .arg(object ? displayName(obj) : item.name,
                              parent ? displayName(iParent) : QStringLiteral("a deleted object")));
        return nullptr;
    }
    return object.data();
}

bool TUiLoaderPrivate::applyItemProperties(QObject *iObj, const QList<TUiLoaderProperty> &iProps)
{
    if (!iObj)
        return false;
    // The values are plain already: no script runs here.
    for (const TUiLoaderProperty &property : iProps) {
        const QString &key = property.key;
        const QByteArray rawKey = key.toUtf8();
        if (key == QLatin1String("buddy") && qobject_cast<QLabel *>(iObj)) {
            if (TUiLoaderField *record = field(iObj))
                record->labelBuddy = property.text;
        } else if (key == QLatin1String("actionGroup") && qobject_cast<TAction *>(iObj)) {
            QActionGroup *group = actionGroups.value(property.text);
            if (!group) {
                group = new QActionGroup(q_ptr);
                actionGroups.insert(property.text, group);
            }
            static_cast<TAction *>(iObj)->setActionGroup(group);
        } else if (key == QLatin1String("icon")
                   && QString::fromLatin1(iObj->property("icon").typeName()).toUpper() == QLatin1String("QICON")) {
            iObj->setProperty("icon", TResource::instance()->icon(property.text, QStringLiteral("body"),
                                                                  QStringLiteral("button")));
        } else if (TuiAbstract *abstract = dynamic_cast<TuiAbstract *>(iObj)) {
            abstract->set(key, property.value);
            keepAsProperty(iObj, key, rawKey, property.value);
        } else if (TUiInterface *face = dynamic_cast<TUiInterface *>(iObj);
                   face && (commonKeys().contains(key) || iObj->metaObject()->indexOfProperty(rawKey.constData()) < 0)) {
            // The widget's own and the shared keys go through its attribute
            // interface; its Qt properties are still set by name.
            face->setAttr(key, property.value);
            keepAsProperty(iObj, key, rawKey, property.value);
        } else {
            iObj->setProperty(rawKey.constData(), property.value);
        }
    }
    return true;
}

void TUiLoaderPrivate::keepAsProperty(QObject *iObj, const QString &iKey, const QByteArray &iRawKey,
                                      const QVariant &iValue)
{
    // The attribute interfaces drop keys they do not know, but descriptions
    // also carry style selectors ("SS") and action styles ("zul_style") that
    // only live as dynamic properties. A shared key is always handled, and a
    // property the widget wrote itself under that name is its own.
    if (commonKeys().contains(iKey) || iObj->property(iRawKey.constData()).isValid())
        return;
    iObj->setProperty(iRawKey.constData(), iValue);
}

QWidget *TUiLoaderPrivate::widgetForItem(QObject *iObj)
{
    if (QWidget *widget = qobject_cast<QWidget *>(iObj))
        return widget;
    QLayout *layoutObj = qobject_cast<QLayout *>(iObj);
    if (!layoutObj)
        return nullptr;
    if (layoutObj->parentWidget())
        return layoutObj->parentWidget();
    QWidget *wrapper = new QWidget;
    wrapper->setProperty("SS", QStringLiteral("TRANSPARENT"));
    wrapper->setStyleSheet(QStringLiteral(".QWidget[SS=\"TRANSPARENT\"]{background:transparent}"));
    const QString name = layoutObj->objectName();
    wrapper->setObjectName(name);
    wrapper->setLayout(layoutObj);
    registerObject(wrapper, QString());
    if (!name.isEmpty())
        nameMap.insert(name, wrapper);
    return wrapper;
}

bool TUiLoaderPrivate::packIntoForm(QObject *iObj, const TUiLoaderPack &iPack, TFormLayout *iForm)
{
    const bool isWidget = iObj->isWidgetType();
    if (!isWidget && !qobject_cast<QLayout *>(iObj))
        return false;
    const int span = qMax(1, iPack.key("column_span").number);
    const int layoutType = iPack.key("layout_type").number;
    const QString labelAlign = iPack.text("label_alignment");
    const TUiLoaderPackKey label = iPack.key("label");
    const TUiLoaderPackKey units = iPack.key("units");
    if (layoutType == 2) {
        if (isWidget)
            iForm->packWidget(iObj, static_cast<QObject *>(nullptr), static_cast<QObject *>(nullptr), span,
                              labelAlign, 2);
        else
            iForm->packLayout(iObj, static_cast<QObject *>(nullptr), static_cast<QObject *>(nullptr), span,
                              labelAlign, 2);
    } else {
        // Label and units items are built from script: the field, the form
        // and the label made first may be gone after either.
        const QPointer<TUiLoader> alive(q_ptr);
        const QPointer<QObject> object(iObj);
        const QPointer<TFormLayout> form(iForm);
        const QPointer<QObject> labelObj = label.isItem ? createOneItem(label.value, nullptr) : nullptr;
        if (!alive)
            return false;
        const QPointer<QObject> unitsObj = units.isItem ? createOneItem(units.value, nullptr) : nullptr;
        if (!alive || !object || !form)
            return false;
        const QString labelText = label.isItem ? QString() : label.text;
        const QString unitsText = units.isItem ? QString() : units.text;
        if (isWidget) {
            if (label.isItem && units.isItem)
                iForm->packWidget(iObj, labelObj.data(), unitsObj.data(), span, labelAlign, layoutType);
            else if (label.isItem)
                iForm->packWidget(iObj, labelObj.data(), unitsText, span, labelAlign, layoutType);
            else if (units.isItem)
                iForm->packWidget(iObj, labelText, unitsObj.data(), span, labelAlign, layoutType);
            else
                iForm->packWidget(iObj, labelText, unitsText, span, labelAlign, layoutType);
        } else {
            if (label.isItem && units.isItem)
                iForm->packLayout(iObj, labelObj.data(), unitsObj.data(), span, labelAlign, layoutType);
            else if (label.isItem)
                iForm->packLayout(iObj, labelObj.data(), unitsText, span, labelAlign, layoutType);
            else if (units.isItem)
                iForm->packLayout(iObj, labelText, unitsObj.data(), span, labelAlign, layoutType);
            else
                iForm->packLayout(iObj, labelText, unitsText, span, labelAlign, layoutType);
        }
        // An item object as label keeps the field's own title.
        if (!label.isItem && label.given)
            if (TUiLoaderField *record = field(iObj))
                record->title = label.value;
    }
    if (TUiLoaderField *record = field(iObj)) {
        for (QWidget *attached : {iForm->labelWidget(iObj), iForm->unitsWidget(iObj), iForm->separatorWidget(iObj)}) {
            if (attached)
                record->attachedWidgets.append(attached);
        }
    }
    return true;
}

namespace {

bool isMenuHost(QObject *iObj, QObject *iParent)
{
    return (qobject_cast<QMenuBar *>(iParent) || qobject_cast<QMenu *>(iParent))
           && (qobject_cast<QMenu *>(iObj) || qobject_cast<TAction *>(iObj));
}

bool isMenuButton(QObject *iObj, QObject *iParent)
{
    return qobject_cast<QMenu *>(iObj)
           && (qobject_cast<QPushButton *>(iParent) || qobject_cast<QToolButton *>(iParent)
               || qobject_cast<TAction *>(iParent));
}

template<typename Container>
bool isParent(QObject *, QObject *iParent)
{
    return qobject_cast<Container *>(iParent);
}

// One kind of container: whether it takes the object, and how. The first
// kind that takes it decides, whether the placing then works or not.
struct Packer
{
    bool (*takes)(QObject *iObj, QObject *iParent);
    bool (TUiLoaderPrivate::*pack)(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent);
};

// In this order: a form is a grid, a title expander and a tool bar are
// widgets, and a line edit takes widgets only.
const Packer packers[] = {
        {&isParent<QBoxLayout>, &TUiLoaderPrivate::packIntoBox},
        {&isParent<TFormLayout>, &TUiLoaderPrivate::packIntoFormLayout},
        {&isParent<QGridLayout>, &TUiLoaderPrivate::packIntoGrid},
        {&isParent<QTabWidget>, &TUiLoaderPrivate::packIntoTabs},
        {&isParent<QStackedWidget>, &TUiLoaderPrivate::packIntoStack},
        {&isParent<TTitleExpander>, &TUiLoaderPrivate::packIntoTitleExpander},
        {&isParent<QSplitter>, &TUiLoaderPrivate::packIntoSplitter},
        {&isParent<QScrollArea>, &TUiLoaderPrivate::packIntoScrollArea},
        {&isParent<QMainWindow>, &TUiLoaderPrivate::packIntoMainWindow},
        {&isParent<QDockWidget>, &TUiLoaderPrivate::packIntoDock},
        {&isParent<TToolBar>, &TUiLoaderPrivate::packIntoToolBar},
        {&isMenuHost, &TUiLoaderPrivate::packIntoMenu},
        {&isMenuButton, &TUiLoaderPrivate::packMenuIntoButton},
        {[](QObject *iObj, QObject *iParent) { return qobject_cast<TLineEdit *>(iParent) && iObj->isWidgetType(); },
         &TUiLoaderPrivate::packIntoLineEdit},
        {&isParent<QWidget>, &TUiLoaderPrivate::packIntoWidget},
};

} // namespace

bool TUiLoaderPrivate::packItem(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_Q(TUiLoader);
    if (!iObj || !iParent)
        return false;
    for (const Packer &packer : packers) {
        if (!packer.takes(iObj, iParent))
            continue;
        if (!(this->*packer.pack)(iObj, iPack, iParent))
            return false;
        QMainWindow *createdWindow = qobject_cast<QMainWindow *>(iObj);
        if (createdWindow && !createdWindow->parent())
            createdWindow->setParent(q);
        return true;
    }
    return false;
}

bool TUiLoaderPrivate::packIntoBox(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    QBoxLayout *box = static_cast<QBoxLayout *>(iParent);
    const int stretch = iPack.number("stretch", 0);
    if (!TLayoutAttrs::checkStretch("TUiLoader box pack", "stretch", stretch))
        return false;
    if (QWidget *widget = qobject_cast<QWidget *>(iObj)) {
        box->addWidget(widget, stretch, TuiHelper::str2alignment(iPack.text("alignment")));
        return true;
    }
    QLayout *layoutObj = qobject_cast<QLayout *>(iObj);
    if (!layoutObj || layoutObj->parent())
        return false;
    box->addLayout(layoutObj, stretch);
    return true;
}

bool TUiLoaderPrivate::packIntoFormLayout(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    return packIntoForm(iObj, iPack, static_cast<TFormLayout *>(iParent));
}

bool TUiLoaderPrivate::packIntoGrid(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    QGridLayout *grid = static_cast<QGridLayout *>(iParent);
    const int row = iPack.number("row", 0);
    const int column = iPack.number("column", 0);
    const int rowSpan = qMax(1, iPack.number("row_span", 1));
    const int columnSpan = qMax(1, iPack.number("column_span", 1));
    const Qt::Alignment alignment = TuiHelper::str2alignment(iPack.text("alignment"));
    // The grid allocates every row and column up to the one named: a stray
    // number from a description would cost gigabytes before the pack fails.
    if (!TLayoutAttrs::checkCell("TUiLoader grid pack", row, column, rowSpan, columnSpan))
        return false;
    if (QWidget *widget = qobject_cast<QWidget *>(iObj)) {
        grid->addWidget(widget, row, column, rowSpan, columnSpan, alignment);
        return true;
    }
    QLayout *layoutObj = qobject_cast<QLayout *>(iObj);
    if (!layoutObj || layoutObj->parent())
        return false;
    grid->addLayout(layoutObj, row, column, rowSpan, columnSpan, alignment);
    return true;
}

bool TUiLoaderPrivate::packIntoTabs(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    QTabWidget *tabs = static_cast<QTabWidget *>(iParent);
    QWidget *page = widgetForItem(iObj);
    if (!page)
        return false;
    const TUiLoaderPackKey icon = iPack.key("icon");
    const QString label = iPack.text("label");
    if (icon.isString) {
        tabs->addTab(page, TResource::instance()->icon(icon.text, QStringLiteral("body"), QStringLiteral("button")),
                     label);
    } else {
        tabs->addTab(page, label);
    }
    return true;
}

bool TUiLoaderPrivate::packIntoStack(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    QWidget *page = widgetForItem(iObj);
    if (!page)
        return false;
    static_cast<QStackedWidget *>(iParent)->addWidget(page);
    return true;
}

bool TUiLoaderPrivate::packIntoTitleExpander(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    TTitleExpander *expander = static_cast<TTitleExpander *>(iParent);
    const QString area = iPack.text("area").toUpper();
    if (area == QLatin1String("CHECK")) {
        QAbstractButton *button = qobject_cast<QAbstractButton *>(iObj);
        if (!button)
            return false;
        expander->setToggleButton(button, iPack.number("position", -1));
        return true;
    }
    const int stretch = iPack.number("stretch", 0);
    if (area == QLatin1String("TITLE") && !TLayoutAttrs::checkStretch("TUiLoader title pack", "stretch", stretch))
        return false;
    QWidget *widget = widgetForItem(iObj);
    if (!widget)
        return false;
    if (area == QLatin1String("TITLE")) {
        expander->addTitleWidget(widget, iPack.number("position", -1), stretch,
                                 TuiHelper::str2alignment(iPack.text("alignment")));
    } else {
        expander->setBodyWidget(widget);
    }
    return true;
}

bool TUiLoaderPrivate::packIntoSplitter(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    QSplitter *splitter = static_cast<QSplitter *>(iParent);
    QWidget *widget = widgetForItem(iObj);
    if (!widget)
        return false;
    splitter->addWidget(widget);
    const int index = splitter->indexOf(widget);
    const TUiLoaderPackKey factor = iPack.hasStretchFactor ? iPack.key("stretch_factor") : iPack.key("stretch");
    if (factor.given)
        splitter->setStretchFactor(index, factor.number);
    const TUiLoaderPackKey collapsible = iPack.key("collapsible");
    if (collapsible.given)
        splitter->setCollapsible(index, collapsible.flag);
    return true;
}

bool TUiLoaderPrivate::packIntoScrollArea(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    QScrollArea *scroll = static_cast<QScrollArea *>(iParent);
    if (scroll->widget())
        return false;
    QWidget *widget = widgetForItem(iObj);
    if (!widget)
        return false;
    scroll->setWidget(widget);
    return true;
}

bool TUiLoaderPrivate::packIntoMainWindow(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    QMainWindow *window = static_cast<QMainWindow *>(iParent);
    if (QDockWidget *dock = qobject_cast<QDockWidget *>(iObj)) {
        Qt::DockWidgetArea area = TuiHelper::str2dockWidgetArea(iPack.text("area"));
        if (!dock->isAreaAllowed(area)) {
            for (Qt::DockWidgetArea allowed :
                 {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea, Qt::TopDockWidgetArea, Qt::BottomDockWidgetArea}) {
                if (dock->isAreaAllowed(allowed)) {
                    area = allowed;
                    break;
                }
            }
        }
        if (iPack.key("orientation").given)
            window->addDockWidget(area, dock, TuiHelper::str2orientation(iPack.text("orientation")));
        else
            window->addDockWidget(area, dock);
        const QString tabified = iPack.text("tabified");
        if (QDockWidget *first = qobject_cast<QDockWidget *>(nameMap.value(tabified));
            first && first != dock && !tabified.isEmpty()) {
            window->tabifyDockWidget(first, dock);
        }
        return true;
    }
    if (TToolBar *bar = qobject_cast<TToolBar *>(iObj)) {
        if (iPack.key("area").given)
            window->addToolBar(TuiHelper::str2toolbarArea(iPack.text("area")), bar);
        else
            window->addToolBar(bar);
        return true;
    }
    if (QMenuBar *menuBar = qobject_cast<QMenuBar *>(iObj)) {
        window->setMenuBar(menuBar);
        return true;
    }
    QWidget *widget = widgetForItem(iObj);
    if (!widget)
        return false;
    window->setCentralWidget(widget);
    return true;
}

bool TUiLoaderPrivate::packIntoDock(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    QWidget *widget = widgetForItem(iObj);
    if (!widget)
        return false;
    static_cast<QDockWidget *>(iParent)->setWidget(widget);
    return true;
}

bool TUiLoaderPrivate::packIntoToolBar(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    TToolBar *bar = static_cast<TToolBar *>(iParent);
    if (TAction *action = qobject_cast<TAction *>(iObj)) {
        bar->addAction(action);
        copyActionStyle(action, bar->widgetForAction(action));
        return true;
    }
    QWidget *widget = widgetForItem(iObj);
    if (!widget)
        return false;
    bar->addWidget(widget);
    return true;
}

bool TUiLoaderPrivate::packIntoMenu(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    QWidget *menuHost = static_cast<QWidget *>(iParent);
    if (QMenu *menu = qobject_cast<QMenu *>(iObj)) {
        if (QMenuBar *bar = qobject_cast<QMenuBar *>(menuHost))
            bar->addMenu(menu);
        else
            static_cast<QMenu *>(menuHost)->addMenu(menu);
    } else {
        menuHost->addAction(static_cast<TAction *>(iObj));
    }
    return true;
}

bool TUiLoaderPrivate::packMenuIntoButton(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    QMenu *menu = static_cast<QMenu *>(iObj);
    if (QPushButton *push = qobject_cast<QPushButton *>(iParent))
        push->setMenu(menu);
    else if (QToolButton *tool = qobject_cast<QToolButton *>(iParent))
        tool->setMenu(menu);
    else
        static_cast<TAction *>(iParent)->setMenu(menu);
    return true;
}

bool TUiLoaderPrivate::packIntoLineEdit(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    TLineEdit *edit = static_cast<TLineEdit *>(iParent);
    QWidget *widget = static_cast<QWidget *>(iObj);
    if (iPack.text("position").toUpper() == QLatin1String("LEFT"))
        edit->prependWidget(widget);
    else
        edit->appendWidget(widget);
    return true;
}

bool TUiLoaderPrivate::packIntoWidget(QObject *iObj, const TUiLoaderPack &iPack, QObject *iParent)
{
    Q_UNUSED(iPack)
    QWidget *parentWidget = static_cast<QWidget *>(iParent);
    if (QWidget *widget = qobject_cast<QWidget *>(iObj)) {
        // A container keeps adding to the box its first child made.
        QBoxLayout *column = qobject_cast<QBoxLayout *>(parentWidget->layout());
        if (!column && !parentWidget->layout()) {
            column = new QVBoxLayout(parentWidget);
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(0);
        }
        if (!column)
            return false;
        column->addWidget(widget, 1);
        return true;
    }
    QLayout *layoutObj = qobject_cast<QLayout *>(iObj);
    if (!layoutObj || parentWidget->layout() || layoutObj->parent())
        return false;
    parentWidget->setLayout(layoutObj);
    return true;
}

void TUiLoaderPrivate::resolveBuddies()
{
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        QLabel *label = qobject_cast<QLabel *>(it.key());
        QWidget *target = qobject_cast<QWidget *>(nameMap.value(it->labelBuddy));
        if (!label || !target)
            continue;
        label->setBuddy(target);
        if (TUiLoaderField *record = field(target))
            record->attachedWidgets.append(label);
    }
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        for (const QString &name : qAsConst(it->buddyNames)) {
            if (QWidget *buddy = qobject_cast<QWidget *>(nameMap.value(name)))
                it->attachedWidgets.append(buddy);
        }
        it->labelBuddy.clear();
        it->buddyNames.clear();
    }
}

void TUiLoaderPrivate::applyTabOrder()
{
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const QPair<double, QPointer<QObject>> &iA, const QPair<double, QPointer<QObject>> &iB) {
                         return iA.first < iB.first;
                     });
    QWidget *previous = nullptr;
    for (const auto &entry : qAsConst(tabOrder)) {
        QWidget *widget = qobject_cast<QWidget *>(entry.second);
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    tabOrder.clear();
}

// ---------------------------------------------------------------- values

void TUiLoaderPrivate::bindGetter(QObject *iObj, const TUiLoaderScriptKey &iGetter)
{
    TUiLoaderField &record = fields[iObj];
    if (iGetter.function.isCallable()) {
        record.getter = iGetter.function;
        return;
    }
    if (iGetter.isFalse)
        return;
    // Without a key a field is read where the default setter writes it.
    const QString key = iGetter.isString ? iGetter.text : QStringLiteral("value");
    const QJSValue getter
            = evaluateSnippet(QStringLiteral("(function(_this, obj){return obj.get('%1');})").arg(quoted(key)),
                              QStringLiteral("getter of [%1]").arg(displayName(iObj)));
    if (!getter.isCallable())
        return;
    record.getter = getter;
    if (dynamic_cast<TuiAbstract *>(iObj) || dynamic_cast<TUiInterface *>(iObj)) {
        record.nativeGet = true;
        record.nativeGetKey = key;
    }
}

void TUiLoaderPrivate::bindSetter(QObject *iObj, const TUiLoaderScriptKey &iSetter)
{
    TUiLoaderField &record = fields[iObj];
    if (iSetter.function.isCallable()) {
        record.setter = iSetter.function;
        return;
    }
    if (iSetter.isFalse)
        return;
    const QString key = iSetter.isString && !iSetter.text.isEmpty() ? iSetter.text : QStringLiteral("value");
    // Widgets of the attribute interface take one key through setAttr: their
    // set() takes a whole map.
    const QString code = dynamic_cast<TUiInterface *>(iObj)
            ? QStringLiteral("(function(_this,obj,value){obj.setAttr('%1', value);})")
            : QStringLiteral("(function(_this,obj,value){obj.set('%1', value);})");
    const QJSValue setter = evaluateSnippet(code.arg(quoted(key)),
                                            QStringLiteral("setter of [%1]").arg(displayName(iObj)));
    if (!setter.isCallable())
        return;
    record.setter = setter;
    if (dynamic_cast<TuiAbstract *>(iObj) || dynamic_cast<TUiInterface *>(iObj)) {
        record.nativeSet = true;
        record.nativeSetKey = key;
    }
}

// What the default snippets do, without a script call per field: a form of
// hundreds of fields is read and written through these on every load.
QJSValue TUiLoaderPrivate::readAttribute(QObject *iObj, const QString &iKey) const
{
    QVariant value;
    if (TuiAbstract *abstract = dynamic_cast<TuiAbstract *>(iObj))
        value = abstract->get(iKey, QVariant());
    else if (TUiInterface *face = dynamic_cast<TUiInterface *>(iObj))
        value = face->get(QVariant(iKey));
    return engine->toScriptValue(value);
}

void TUiLoaderPrivate::writeAttribute(QObject *iObj, const QString &iKey, const QVariant &iValue)
{
    if (TuiAbstract *abstract = dynamic_cast<TuiAbstract *>(iObj))
        abstract->set(iKey, iValue);
    else if (TUiInterface *face = dynamic_cast<TUiInterface *>(iObj))
        face->setAttr(iKey, iValue);
}

bool TUiLoaderPrivate::isNullForNotNull(QObject *iObj, const QJSValue &iValue)
{
    // The script's own loose comparison: a check box is empty at -1, any
    // other field when it holds nothing (a number 0 is a value). Comparing
    // makes text of an object, so one too deep for that holds something.
    if (!convertible(iValue))
        return false;
    if (qobject_cast<TCheckBox *>(iObj))
        return iValue.equals(QJSValue(-1));
    return iValue.isUndefined() || iValue.isNull() || (!iValue.isNumber() && iValue.equals(QJSValue(QString())));
}

void TUiLoaderPrivate::bindCallback(QObject *iObj, const TUiLoaderScriptKey &iCallback)
{
    Q_Q(TUiLoader);
    if (!iObj)
        return;
    if (!iCallback.function.isCallable()) {
        reportCallable(iObj, QStringLiteral("callback"), iCallback);
        return;
    }
    fields[iObj].callback = iCallback.function;
    if (QAbstractButton *button = qobject_cast<QAbstractButton *>(iObj))
        QObject::connect(button, SIGNAL(clicked(bool)), q, SLOT(runCallback(bool)));
    else if (TAction *action = qobject_cast<TAction *>(iObj))
        QObject::connect(action, SIGNAL(triggered(bool)), q, SLOT(runCallback(bool)));
}

void TUiLoaderPrivate::bindChangeSignals(QObject *iObj, const QStringList &iSignals)
{
    QStringList names = iSignals;
    names.removeAll(QString());
    if (names.isEmpty())
        names.append(QStringLiteral("value_changed"));
    fields[iObj].changeSignals = names;
}

void TUiLoaderPrivate::connectItemSignals()
{
    Q_Q(TUiLoader);
    const QMetaMethod onChange = loaderSlot(q, "onItemChanged(QString,QVariant,QString)");
    const QMetaMethod editing = loaderSlot(q, "onEditingValidate(QString,QVariant,QString)");
    for (const QPointer<QObject> &obj : qAsConst(objects)) {
        if (!obj)
            continue;
        const QMetaMethod signal = widgetSignal(obj);
        if (!signal.isValid())
            continue;
        const TUiLoaderField *record = field(obj);
        if (!record)
            continue;
        if (!record->changeSignals.isEmpty())
            QObject::connect(obj, signal, q, onChange, Qt::UniqueConnection);
        if (!record->validateSignals.isEmpty())
            QObject::connect(obj, signal, q, editing, Qt::UniqueConnection);
    }
}

bool TUiLoaderPrivate::applyInitialValues()
{
    Q_Q(TUiLoader);
    const QPointer<TUiLoader> alive(q);
    const bool wasBlocked = blockChange;
    blockChange = true;
    const QList<QPointer<QObject>> created = objects;
    for (const QPointer<QObject> &obj : created) {
        TUiLoaderField *record = field(obj);
        if (!record || record->initialValue.isUndefined())
            continue;
        const QJSValue value = record->initialValue;
        record->initialValue = QJSValue();
        q->setValue(obj.data(), value);
        if (!alive)
            return false;
    }
    blockChange = wasBlocked;
    return true;
}

bool TUiLoaderPrivate::runInitCallbacks()
{
    Q_Q(TUiLoader);
    const QPointer<TUiLoader> alive(q);
    const QList<QPointer<QObject>> created = objects;
    for (const QPointer<QObject> &obj : created) {
        TUiLoaderField *record = field(obj);
        if (!record || !record->initCallback.isCallable())
            continue;
        const QJSValue callback = record->initCallback;
        record->initCallback = QJSValue();
        call(callback, {wrap(q), wrap(obj), argv}, QStringLiteral("initCallback"), obj);
        if (!alive)
            return false;
    }
    return true;
}

QJSValue TUiLoader::getValue(QObject *iObj)
{
    const TUiLoaderField *record = d->field(iObj);
    if (!d->engine || !record || !record->getter.isCallable())
        return QJSValue();
    if (record->nativeGet)
        return d->readAttribute(iObj, record->nativeGetKey);
    return d->call(record->getter, {d->wrap(this), d->wrap(iObj), d->argv}, QStringLiteral("getter"), iObj);
}

QJSValue TUiLoader::getValue(QString iName) { return getValue(d->nameMap.value(iName)); }

void TUiLoader::setValue(QObject *iObj, QJSValue iValue)
{
    TUiLoaderField *record = d->field(iObj);
    if (d->blockSetValue || !d->engine || !record || !record->setter.isCallable() || record->settingValue)
        return;
    record->settingValue = true;
    const QPointer<TUiLoader> alive(this);
    QPointer<QObject> guard(iObj);
    if (record->nativeSet) {
        // The one conversion the widget would make of it, bounded; reading
        // the value runs its getters, which may drop the record.
        const QString key = record->nativeSetKey;
        TError error;
        const QVariant value = TScriptValue::toVariant(iValue, &error);
        if (!alive)
            return;
        if (guard && error.isValid()) {
            logError(QStringLiteral("value of [%1] not written: %2").arg(d->displayName(iObj), error.text()));
            if (TUiLoaderField *after = d->field(iObj))
                after->settingValue = false;
            return;
        }
        if (guard)
            d->writeAttribute(iObj, key, value);
    } else {
        d->call(record->setter, {d->wrap(this), d->wrap(iObj), iValue, d->argv}, QStringLiteral("setter"), iObj);
    }
    if (!alive)
        return;
    if (guard && !d->blockValidate) {
        validate(iObj, QStringLiteral("EDIT"));
        if (!alive)
            return;
    }
    // The setter may have deleted the field, and its record with it.
    if (TUiLoaderField *after = d->field(iObj))
        after->settingValue = false;
}

void TUiLoader::setValue(QString iName, QJSValue iValue)
{
    if (d->blockSetValue)
        return;
    if (QObject *obj = d->nameMap.value(iName))
        setValue(obj, iValue);
}

bool TUiLoader::loadValues(QJSValue iValues, bool iClearBefore)
{
    if (!d->engine)
        return false;
    const QVariant wrapped = iValues.isVariant() ? iValues.toVariant() : QVariant();
    const bool isMap = wrapped.canConvert<QVariantMap>();
    if (!isMap && !(iValues.isObject() && !iValues.isCallable()) && isSet(iValues)) {
        logError(QStringLiteral("values not loaded: [%1] is not an object").arg(iValues.toString()));
        return false;
    }
    const QPointer<TUiLoader> alive(this);
    QList<QPair<QString, QJSValue>> entries;
    if (isMap) {
        // The engine walks a variant's lists without a bound of its own.
        TError error;
        const QVariantMap map = TScriptValue::toPlain(wrapped, &error).toMap();
        if (error.isValid()) {
            logError(QStringLiteral("values not loaded: %1").arg(error.text()));
            return false;
        }
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (it.value().isValid())
                entries.append(qMakePair(it.key(), d->engine->toScriptValue(it.value())));
        }
    } else if (iValues.isObject()) {
        QJSValueIterator it(iValues);
        while (it.hasNext()) {
            it.next();
            const QJSValue value = it.value();
            if (!alive)
                return false;
            if (!value.isUndefined())
                entries.append(qMakePair(it.name(), value));
        }
    }
    d->blockChange = true;
    d->blockValidate = true;
    if (iClearBefore) {
        // A field that its attribute interface's own setter is about to
        // overwrite needs no emptying first: the widget would change twice.
        QSet<QObject *> overwritten;
        for (const auto &entry : qAsConst(entries)) {
            QObject *obj = d->nameMap.value(entry.first);
            const TUiLoaderField *record = d->field(obj);
            if (record && record->nativeSet)
                overwritten.insert(obj);
        }
        if (!d->clearFields(overwritten))
            return false;
    }
    for (const auto &entry : qAsConst(entries)) {
        setValue(entry.first, entry.second);
        if (!alive)
            return false;
    }
    d->blockValidate = false;
    validateAll(QStringLiteral("LOAD"), false, QStringLiteral("All"));
    if (!alive)
        return false;
    d->blockChange = false;
    triggerFormula(this);
    if (!alive)
        return false;
    refreshState();
    if (!alive)
        return false;
    return true;
}

bool TUiLoader::loadValues(QVariant iValues, bool iClearBefore)
{
    if (!d->engine)
        return false;
    // A script's object or array arrives as a QJSValue inside the variant.
    if (iValues.userType() == qMetaTypeId<QJSValue>())
        return loadValues(iValues.value<QJSValue>(), iClearBefore);
    // A host's own values: the engine walks their lists without a bound.
    TError error;
    const QVariant plain = TScriptValue::toPlain(iValues, &error);
    if (error.isValid()) {
        logError(QStringLiteral("values not loaded: %1").arg(error.text()));
        return false;
    }
    return loadValues(d->engine->toScriptValue(plain), iClearBefore);
}

void TUiLoader::clearValues() { d->clearFields(QSet<QObject *>()); }

bool TUiLoaderPrivate::clearFields(const QSet<QObject *> &iOverwritten)
{
    Q_Q(TUiLoader);
    // Setters are scripts: any of them may delete fields further on.
    const QList<QPointer<QObject>> named = nameMap.values();
    const QPointer<TUiLoader> alive(q);
    for (const QPointer<QObject> &obj : named) {
        // Emptying a choice field sends its change event to whoever listens.
        if (!alive)
            return false;
        if (!obj)
            continue;
        if (TRadioBox *radio = qobject_cast<TRadioBox *>(obj))
            radio->clearValue();
        else if (TMultiComboBox *multi = qobject_cast<TMultiComboBox *>(obj))
            multi->setCurrentNames(QStringList());
        else if (TChips *chips = qobject_cast<TChips *>(obj))
            chips->setChips(QStringList());
        else if (!iOverwritten.contains(obj))
            q->setValue(obj.data(), QJSValue(QJSValue::NullValue));
    }
    return !alive.isNull();
}

QJSValue TUiLoader::getAllValues(bool iIncludeInvisible)
{
    if (!d->engine)
        return QJSValue();
    QJSValue values = d->engine->newObject();
    // Getters are scripts: any of them may delete fields further on.
    QList<QPair<QString, QPointer<QObject>>> fields;
    for (auto it = d->nameMap.cbegin(); it != d->nameMap.cend(); ++it)
        fields.append(qMakePair(it.key(), it.value()));
    const QPointer<TUiLoader> alive(this);
    for (const auto &field : qAsConst(fields)) {
        QObject *obj = field.second;
        const TUiLoaderField *record = d->field(obj);
        if (!record || !record->getter.isCallable())
            continue;
        if (!iIncludeInvisible && obj->property("STATE").toString() == QLatin1String("HIDE"))
            continue;
        const QJSValue value = getValue(obj);
        if (!alive)
            return values;
        // A setter that a script put on Object.prototype runs here too.
        values.setProperty(field.first, value);
        if (!alive)
            return values;
    }
    return values;
}

QJSValue TUiLoader::getUserData(QObject *iObj)
{
    const TUiLoaderField *record = d->field(iObj);
    return record ? record->userData : QJSValue();
}

QJSValue TUiLoader::getUserData(QString iName) { return getUserData(d->nameMap.value(iName)); }

QString TUiLoader::getTitle(QObject *iObj)
{
    const TUiLoaderField *record = d->field(iObj);
    if (!record)
        return QString();
    // A copy: the text of an object is script, which may drop the record.
    const QJSValue title = record->title;
    return textOf(title);
}

QString TUiLoader::getTitle(QString iName) { return getTitle(d->nameMap.value(iName)); }

void TUiLoader::runCallback(bool iChecked)
{
    QObject *source = sender();
    const TUiLoaderField *record = d->field(source);
    if (!record || !record->callback.isCallable())
        return;
    const QJSValue callback = record->callback;
    const QPointer<TUiLoader> alive(this);
    ++d->eventDepth;
    d->call(callback, {d->wrap(this), d->wrap(source), iChecked, d->argv}, QStringLiteral("callback"), source);
    if (alive)
        --d->eventDepth;
}

void TUiLoader::onItemChanged(QString iType, QVariant iValue, QString iUid)
{
    Q_UNUSED(iType)
    Q_UNUSED(iValue)
    Q_UNUSED(iUid)
    if (d->blockChange)
        return;
    // A listener may rebuild the form while the sender is still in its event.
    const QPointer<TUiLoader> alive(this);
    ++d->eventDepth;
    Q_EMIT dataChanged();
    if (alive)
        --d->eventDepth;
}

// ---------------------------------------------------------------- validation, formulas, state

void TUiLoaderPrivate::bindValidator(QObject *iObj, const TUiLoaderScriptKey &iValidate, const QStringList &iSignals)
{
    QStringList names = iSignals;
    names.removeAll(QString());
    if (names.isEmpty())
        names.append(QStringLiteral("editing_finished"));
    TUiLoaderField &record = fields[iObj];
    record.validateSignals = names;

    if (!iValidate.given)
        return;
    if (iValidate.function.isCallable()) {
        record.validator = iValidate.function;
    } else if (iValidate.isString && iValidate.text.toUpper() == QLatin1String("NOTNULL")) {
        // A check box is empty when neither checked nor unchecked; any other
        // field when it holds nothing (a number 0 is a value).
        const QString code = qobject_cast<TCheckBox *>(iObj)
                ? QStringLiteral("(function(_this,obj,val,title){if(val == -1){return [title + '%1', 'ERROR', "
                                 "''];}else{return '';}})")
                : QStringLiteral("(function(_this,obj,val,title){if(val === undefined || val === null || "
                                 "(val == '' && typeof val !== 'number')){return [title + '%1', 'ERROR', "
                                 "''];}else{return '';}})");
        const QJSValue validator = evaluateSnippet(code.arg(quoted(TUiLoader::tr(" can not be null!"))),
                                                   QStringLiteral("NOTNULL validator of [%1]").arg(displayName(iObj)));
        if (!validator.isCallable())
            return;
        record.validator = validator;
        record.builtinValidator = true;
    } else {
        logError(QStringLiteral("[validate] of [%1] is neither a function nor NOTNULL and is ignored: %2")
                         .arg(displayName(iObj), iValidate.text));
        return;
    }
    if (iObj->isWidgetType())
        iObj->setProperty("ORG_STYLESHEET", iObj->property("styleSheet"));
}

void TUiLoaderPrivate::bindFormula(QObject *iObj, const TUiLoaderScriptKey &iFormula)
{
    if (iFormula.function.isCallable())
        fields[iObj].formula = iFormula.function;
    else
        reportCallable(iObj, QStringLiteral("formula"), iFormula);
}

void TUiLoaderPrivate::bindStateFunction(QObject *iObj, const TUiLoaderScriptKey &iState)
{
    if (iState.function.isCallable())
        fields[iObj].stateFunction = iState.function;
    else
        reportCallable(iObj, QStringLiteral("state"), iState);
}

void TUiLoaderPrivate::resolveFormulaTriggers()
{
    for (const QPointer<QObject> &obj : qAsConst(objects)) {
        TUiLoaderField *record = field(obj);
        if (!record || record->formulaTriggerNames.isEmpty())
            continue;
        const QStringList names = record->formulaTriggerNames;
        record->formulaTriggerNames.clear();
        for (const QString &name : names) {
            if (name == QLatin1String("LOAD")) {
                loadTriggerTargets.append(obj);
            } else if (TUiLoaderField *source = field(nameMap.value(name))) {
                source->triggerTargets.append(obj);
            }
        }
    }
}

QVariantMap TUiLoader::validate(QObject *iObj, QString iMoment)
{
    QVariantMap result;
    TUiLoaderField *record = d->field(iObj);
    if (d->blockValidate || !d->engine || !record || !record->validator.isCallable() || record->validating)
        return result;
    record->validating = true;
    const QPointer<TUiLoader> alive(this);
    QPointer<QObject> guard(iObj);
    const QJSValue validator = record->validator;
    const bool builtin = record->builtinValidator;
    // Scripts run from here on: the record is looked up again afterwards.
    const auto done = [this, iObj]() {
        if (TUiLoaderField *after = d->field(iObj))
            after->validating = false;
    };
    // Whether the form and the field are still there after a step that can run script.
    const auto lost = [&]() {
        if (!alive)
            return true;
        if (!guard)
            done();
        return !guard;
    };
    const QString title = getTitle(iObj);
    if (lost())
        return result;
    const QJSValue value = getValue(iObj);
    if (lost())
        return result;
    QJSValue answer;
    bool empty = false;
    if (builtin) {
        // NOTNULL is ours: its test runs here instead of as a script call
        // for every field of every pass.
        empty = d->isNullForNotNull(iObj, value);
    } else {
        // Copying argv runs the accessors a script put on it, and setting a
        // name runs any setter put on Object.prototype: only locals until
        // the guards are looked at again.
        QJSValue argument = d->engine->newObject();
        const QJSValue object = d->wrap(iObj);
        const QJSValue argv = d->argv;
        argument.setProperty(QStringLiteral("object"), object);
        argument.setProperty(QStringLiteral("title"), title);
        argument.setProperty(QStringLiteral("value"), value);
        argument.setProperty(QStringLiteral("moment"), iMoment);
        if (argv.isObject()) {
            QJSValueIterator it(argv);
            while (it.hasNext()) {
                it.next();
                argument.setProperty(it.name(), it.value());
            }
        }
        if (lost())
            return result;
        answer = d->call(validator, {d->wrap(this), argument}, QStringLiteral("validator"), iObj);
    }
    if (lost())
        return result;

    // Reading the answer runs script too (getters, toString).
    QString message;
    QString state;
    QString sheet;
    if (empty) {
        message = title + tr(" can not be null!");
        state = QStringLiteral("ERROR");
    } else if (answer.isError()) {
        message = boundedText(answer);
        state = QStringLiteral("ERROR");
    } else if (answer.isArray()) {
        message = textOf(answer.property(0));
        state = textOf(answer.property(1));
        sheet = textOf(answer.property(2));
        if (state.isEmpty() && !message.isEmpty())
            state = QStringLiteral("ERROR");
    } else if (answer.isString() && !answer.toString().isEmpty()) {
        message = answer.toString();
        state = QStringLiteral("ERROR");
    }
    if (lost())
        return result;
    state = state.toUpper();
    if (QWidget *widget = qobject_cast<QWidget *>(iObj)) {
        if (widget->toolTip() != message)
            widget->setToolTip(message);
        // Restyling is the dear part of a validation: the style is touched
        // only when the state changes (the first validation always sets it),
        // or when the validator names a style sheet of its own.
        const QVariant previous = widget->property("SS_VALIDATEION_STATE");
        const bool stateChanged = !previous.isValid() || previous.toString() != state;
        if (stateChanged || !sheet.isEmpty()) {
            if (sheet.isEmpty())
                sheet = widget->property("ORG_STYLESHEET").toString();
            if (sheet.isEmpty())
                sheet = QStringLiteral(".Q{}");
            widget->setProperty("SS_VALIDATEION_STATE", state);
            if (widget->styleSheet() != sheet) {
                widget->setStyleSheet(sheet);
            } else if (stateChanged) {
                // The state property is a style selector: the style must look again.
                widget->style()->unpolish(widget);
                widget->style()->polish(widget);
            }
        }
    }
    if (!state.isEmpty()) {
        result.insert(QStringLiteral("type"), state);
        result.insert(QStringLiteral("message"), message);
        result.insert(QStringLiteral("name"), iObj->objectName());
        result.insert(QStringLiteral("title"), title);
    }
    done();
    return result;
}

QVariantList TUiLoader::validateAll(QString iMoment, bool iBlockSetValue, QString iReturnErrorType)
{
    QVariantList results;
    const bool wasBlocked = d->blockSetValue;
    d->blockSetValue = iBlockSetValue;
    const QString wanted = iReturnErrorType.toUpper();
    const QList<QPointer<QObject>> created = d->objects;
    const QPointer<TUiLoader> alive(this);
    for (const QPointer<QObject> &obj : created) {
        const TUiLoaderField *record = d->field(obj);
        if (!record || !record->validator.isCallable())
            continue;
        const QVariantMap message = validate(obj, iMoment);
        if (!alive)
            return results;
        if (message.isEmpty())
            continue;
        if (wanted == QLatin1String("ALL") || message.value(QStringLiteral("type")).toString().toUpper() == wanted)
            results.append(message);
    }
    d->blockSetValue = wasBlocked;
    return results;
}

void TUiLoader::onEditingValidate(QString iType, QVariant iValue, QString iUid)
{
    Q_UNUSED(iValue)
    Q_UNUSED(iUid)
    // sender() walks every connection into the loader: not for the events
    // of a load, while validation is held back anyway.
    if (d->blockValidate)
        return;
    QObject *source = sender();
    const TUiLoaderField *record = d->field(source);
    if (!record || !record->validateSignals.contains(iType))
        return;
    const QPointer<TUiLoader> alive(this);
    ++d->eventDepth;
    validate(source, QStringLiteral("EDIT"));
    if (alive)
        --d->eventDepth;
}

void TUiLoader::triggerFormula(QObject *iObj)
{
    if (d->blockChange || !d->engine)
        return;
    QObject *source = iObj ? iObj : sender();
    if (!source)
        return;
    // Formulas run in the creation order of their fields.
    QList<QPointer<QObject>> guarded;
    if (source == this) {
        guarded = d->loadTriggerTargets;
    } else if (const TUiLoaderField *record = d->field(source)) {
        guarded = record->triggerTargets;
    }
    const QPointer<TUiLoader> alive(this);
    ++d->eventDepth;
    for (const QPointer<QObject> &target : qAsConst(guarded)) {
        TUiLoaderField *record = d->field(target);
        if (!record || !record->formula.isCallable())
            continue;
        // A field still being computed or written further up this chain
        // means the fields trigger each other.
        if (record->computingFormula || record->settingValue) {
            logError(QStringLiteral("formula of [%1] not run: its fields trigger each other in a cycle")
                             .arg(d->displayName(target)));
            continue;
        }
        record->computingFormula = true;
        const QJSValue formula = record->formula;
        const QJSValue result
                = d->call(formula, {d->wrap(this), d->wrap(target), d->argv}, QStringLiteral("formula"), target);
        if (!alive)
            return;
        // A formula that throws leaves its field as it was.
        if (target && !result.isError()) {
            setValue(target.data(), result);
            if (!alive)
                return;
        }
        if (TUiLoaderField *after = d->field(target))
            after->computingFormula = false;
    }
    --d->eventDepth;
}

void TUiLoader::refreshState()
{
    if (d->blockChange || !d->engine)
        return;
    const QList<QPointer<QObject>> created = d->objects;
    const QPointer<TUiLoader> alive(this);
    for (const QPointer<QObject> &obj : created) {
        const TUiLoaderField *record = d->field(obj);
        if (!record || !record->stateFunction.isCallable())
            continue;
        const QJSValue function = record->stateFunction;
        const QJSValue state
                = d->call(function, {d->wrap(this), d->wrap(obj), d->argv}, QStringLiteral("state function"), obj);
        if (!alive)
            return;
        if (state.isError())
            continue;
        // The text of an object is script as well.
        const QString text = textOf(state);
        if (!alive)
            return;
        if (obj)
            setState(obj.data(), text);
    }
}

void TUiLoader::setState(QObject *iObj, QString iState)
{
    if (!iObj)
        return;
    const QString state = iState.toUpper();
    iObj->setProperty("STATE", state);
    const bool visible = state != QLatin1String("HIDE");
    const bool enabled = visible && state != QLatin1String("DISABLE");
    const auto apply = [visible, enabled](QObject *iTarget) {
        if (QWidget *widget = qobject_cast<QWidget *>(iTarget)) {
            // A field that was never placed stays off screen instead of
            // popping up as a window of its own.
            if (!visible || !widget->isWindow())
                widget->setVisible(visible);
            widget->setEnabled(enabled);
        } else if (QAction *action = qobject_cast<TAction *>(iTarget)) {
            action->setVisible(visible);
            action->setEnabled(enabled);
        }
    };
    apply(iObj);
    const TUiLoaderField *record = d->field(iObj);
    const QList<QPointer<QObject>> attached = record ? record->attachedWidgets : QList<QPointer<QObject>>();
    for (const QPointer<QObject> &widget : attached) {
        if (widget && widget->isWidgetType())
            apply(widget);
    }
}

void TUiLoader::setState(QString iName, QString iState)
{
    if (QObject *obj = d->nameMap.value(iName))
        setState(obj, iState);
}

void TUiLoader::setBgColor(QString iName, QString iColor)
{
    QWidget *widget = qobject_cast<QWidget *>(d->nameMap.value(iName));
    if (!widget)
        return;
    widget->setStyleSheet(iColor.isEmpty() ? QStringLiteral(".Q{}")
                                           : QStringLiteral(".%1{background:%2}")
                                                     .arg(QString::fromLatin1(widget->metaObject()->className()),
                                                          iColor));
}

void TUiLoader::setFgColor(QString iName, QString iColor)
{
    QWidget *widget = qobject_cast<QWidget *>(d->nameMap.value(iName));
    if (!widget)
        return;
    widget->setStyleSheet(iColor.isEmpty() ? QStringLiteral(".Q{}")
                                           : QStringLiteral(".%1{color:%2}")
                                                     .arg(QString::fromLatin1(widget->metaObject()->className()),
                                                          iColor));
}
