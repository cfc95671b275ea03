#include "tsplitter.h"
#include "tsplitter_p.h"

#include "tuiutil.h"

#include <QVariantAnimation>

QList<int> TSplitterPrivate::redistribute(const QList<int> &iSizes, int iIndex, int iSize)
{
    QList<int> result = iSizes;
    if (iIndex < 0 || iIndex >= result.size())
        return result;
    const int old = result.at(iIndex);
    result[iIndex] = iSize;
    if (iIndex < result.size() - 1)
        result[iIndex + 1] = result.at(iIndex + 1) - iSize + old;
    else if (iIndex > 0)
        result[iIndex - 1] = result.at(iIndex - 1) - iSize + old;
    return result;
}

TSplitter::TSplitter(QWidget *iParent)
    : QSplitter(iParent)
    , TUiInterface()
    , d(new TSplitterPrivate(this))
{
    d->animation = new QVariantAnimation(this);
    connect(d->animation, &QVariantAnimation::valueChanged, this, &TSplitter::onSizeAnimation);
}

TSplitter::~TSplitter() = default;

void TSplitter::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("orientation"))
        setOrientation(TUiUtil::str2orientation(value.toString()));
}

QVariant TSplitter::getAttr(const QString &iKey, const QVariant &iOptions) { return _getData(this, iKey, iOptions); }

void TSplitter::setWidgetSize(int iIndex, int iSize, bool iAnimated)
{
    const QList<int> current = sizes();
    if (current.size() < 2 || iIndex < 0 || iIndex >= current.size())
        return;
    const int old = current.at(iIndex);
    if (old == iSize)
        return;
    if (!iAnimated) {
        setSizes(TSplitterPrivate::redistribute(current, iIndex, iSize));
        return;
    }
    d->animation->stop();
    d->baseSizes = current;
    d->animatedIndex = iIndex;
    d->animation->setStartValue(old);
    d->animation->setEndValue(iSize);
    d->animation->setDuration(100);
    d->animation->start();
}

void TSplitter::setWidgetSize(QWidget *iWidget, int iSize, bool iAnimated)
{
    setWidgetSize(indexOf(iWidget), iSize, iAnimated);
}

void TSplitter::cacheSizes() { d->cachedSizes = sizes(); }

QList<int> TSplitter::getCacheSizes() const { return d->cachedSizes.isEmpty() ? sizes() : d->cachedSizes; }

int TSplitter::getCacheSize(int iIndex) const { return getCacheSizes().value(iIndex, 0); }

int TSplitter::getCacheSize(QWidget *iWidget) const { return getCacheSize(indexOf(iWidget)); }

void TSplitter::onSizeAnimation(const QVariant &iSize)
{
    setSizes(TSplitterPrivate::redistribute(d->baseSizes, d->animatedIndex, iSize.toInt()));
}
