#include "tmsgbarinfo.h"
#include "tmsgbarinfo_p.h"
#include "tscriptvalue.h"

namespace {

const char *const kTypeWords[] = {"Loading", "Progress", "Info", "Ok", "Error", "Warn"};
const int kTypeCount = 6;

const QString kType = QStringLiteral("type");
const QString kText = QStringLiteral("text");
const QString kRemark = QStringLiteral("remark");
const QString kClosable = QStringLiteral("closable");
const QString kCancelable = QStringLiteral("cancelable");
const QString kPercent = QStringLiteral("percent");
const QString kStart = QStringLiteral("start");
const QString kEnd = QStringLiteral("end");
const QString kShowMask = QStringLiteral("showMask");
const QString kData = QStringLiteral("data");

// The factories write the kind first, then the delay or progress, text and remark.
TMsgBarInfo message(TMsgBarInfo::IconType iType, const QString &iDelayKey, int iDelay, const QString &iText,
                    const QString &iRemark)
{
    TMsgBarInfo info;
    info.setIconType(iType);
    QVariantMap map = info.toVariantMap();
    map.insert(iDelayKey, iDelay);
    map.insert(kText, iText);
    map.insert(kRemark, iRemark);
    info.setVariantMap(map);
    return info;
}

} // namespace

TMsgBarInfo::TMsgBarInfo(QObject *iParent)
    : QObject(iParent)
    , d(new TMsgBarInfoPrivate(this))
{}

TMsgBarInfo::TMsgBarInfo(const QVariantMap &iVarMap, QObject *iParent)
    : QObject(iParent)
    , d(new TMsgBarInfoPrivate(this))
{
    setVariantMap(iVarMap);
}

TMsgBarInfo::TMsgBarInfo(const TMsgBarInfo &iOther)
    : QObject(iOther.parent())
    , d(new TMsgBarInfoPrivate(this))
{
    d->map = iOther.d->map;
}

TMsgBarInfo &TMsgBarInfo::operator=(const TMsgBarInfo &iOther)
{
    if (&iOther != this)
        d->map = iOther.d->map;
    return *this;
}

TMsgBarInfo::~TMsgBarInfo() = default;

TMsgBarInfo TMsgBarInfo::LoadingMsg(const QString &iTextStr, const QString &iRemarkStr, int iPercentInt)
{
    TMsgBarInfo info;
    info.setIconType(Loading);
    info.setText(iTextStr);
    info.setRemark(iRemarkStr);
    info.setPercent(iPercentInt);
    return info;
}

TMsgBarInfo TMsgBarInfo::StartMsg(int iMsInt, const QString &iTextStr, const QString &iRemarkStr)
{
    return message(Loading, kStart, iMsInt, iTextStr, iRemarkStr);
}

TMsgBarInfo TMsgBarInfo::OkMsg(int iMsInt, const QString &iTextStr, const QString &iRemarkStr)
{
    return message(Ok, kEnd, iMsInt, iTextStr, iRemarkStr);
}

TMsgBarInfo TMsgBarInfo::WarningMsg(const QString &iTextStr, const QString &iRemarkStr, int iMsInt)
{
    return message(Warn, kEnd, iMsInt, iTextStr, iRemarkStr);
}

TMsgBarInfo TMsgBarInfo::ErrorMsg(const QString &iTextStr, const QString &iRemarkStr, int iMsInt)
{
    return message(Error, kEnd, iMsInt, iTextStr, iRemarkStr);
}

void TMsgBarInfo::clear() { d->map.clear(); }

QVariantMap TMsgBarInfo::toVariantMap() const { return d->map; }

void TMsgBarInfo::setVariantMap(const QVariantMap &iVarMap) { d->map = TScriptValue::toPlain(iVarMap).toMap(); }

TMsgBarInfo::IconType TMsgBarInfo::iconType() const
{
    const QString word = iconTypeName().toUpper();
    for (int i = 0; i < kTypeCount; ++i) {
        if (word == QString::fromLatin1(kTypeWords[i]).toUpper())
            return static_cast<IconType>(i);
    }
    return Loading;
}

QString TMsgBarInfo::iconTypeName() const { return d->map.value(kType).toString(); }

void TMsgBarInfo::setIconType(TMsgBarInfo::IconType iType)
{
    const int index = static_cast<int>(iType);
    if (index >= 0 && index < kTypeCount)
        d->map.insert(kType, QString::fromLatin1(kTypeWords[index]));
}

QString TMsgBarInfo::text() const { return d->map.value(kText).toString(); }
void TMsgBarInfo::setText(const QString &iTextStr) { d->map.insert(kText, iTextStr); }
QString TMsgBarInfo::remark() const { return d->map.value(kRemark).toString(); }
void TMsgBarInfo::setRemark(const QString &iRemarkStr) { d->map.insert(kRemark, iRemarkStr); }
bool TMsgBarInfo::closable() const { return d->map.value(kClosable).toBool(); }
void TMsgBarInfo::setClosable(bool iBool) { d->map.insert(kClosable, iBool); }
bool TMsgBarInfo::cancelable() const { return d->map.value(kCancelable).toBool(); }
void TMsgBarInfo::setCancelable(bool iBool) { d->map.insert(kCancelable, iBool); }
int TMsgBarInfo::percent() const { return d->map.value(kPercent).toInt(); }
void TMsgBarInfo::setPercent(int iPercentInt) { d->map.insert(kPercent, iPercentInt); }
int TMsgBarInfo::startDelay() const { return d->map.value(kStart).toInt(); }
void TMsgBarInfo::setStartDelay(int iMsInt) { d->map.insert(kStart, iMsInt); }
int TMsgBarInfo::endDelay() const { return d->map.value(kEnd).toInt(); }
void TMsgBarInfo::setEndDelay(int iMsInt) { d->map.insert(kEnd, iMsInt); }
bool TMsgBarInfo::showMask() const { return d->map.value(kShowMask).toBool(); }
void TMsgBarInfo::setShowMask(bool iBool) { d->map.insert(kShowMask, iBool); }
QVariant TMsgBarInfo::data() const { return d->map.value(kData); }
void TMsgBarInfo::setData(const QVariant &iDataVar) { d->map.insert(kData, TScriptValue::toPlain(iDataVar)); }
